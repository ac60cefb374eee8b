// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The name rules for Qt text, and the user's words for what is wrong with a name.

#include "names/name_rules.h"

#include <QString>
#include <QStringView>

#include <string_view>

namespace quillet
{

inline std::u16string_view Utf16View(QStringView text)
{
    return {text.utf16(), std::size_t(text.size())};
}

inline NameFault FaultOf(const NameRules& rules, QStringView name)
{
    return rules.FaultOf(Utf16View(name));
}

// The rule of these rules that the name breaks, as a phrase that a message puts after the
// name ("the new name \"a:b\" is refused: it holds \":\", which this file system
// refuses"): which character, which device name, how long against which limit in the file
// system's unit. Empty for None.
QString DescribeNameFault(NameFault fault, QStringView name, const NameRules& rules);

} // namespace quillet
