#pragma once

#include <QCoreApplication>
#include <QString>

namespace quillet
{

// A text of the rename run for the user, through the translation catalogue.
inline QString RunText(const char* text)
{
    return QCoreApplication::translate("RenameRun", text);
}

} // namespace quillet
