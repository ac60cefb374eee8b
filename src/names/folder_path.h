// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillet
{

// The folder path ending in one separator, ready for a name to be appended.
inline QString WithSeparator(const QString& strFolder, QChar separator = u'/')
{
    return strFolder.endsWith(separator) ? strFolder : strFolder + separator;
}

} // namespace quillet
