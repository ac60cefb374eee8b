// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillet
{

// Gives the reason of a failure to whoever asked for it (error may be null) and returns false.
inline bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace quillet
