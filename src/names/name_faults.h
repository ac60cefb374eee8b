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

// Why the name cannot be a file name in a folder of these rules, as a phrase for a message
// ("the name \"a:b\" holds a character that the file system refuses"); empty for None.
QString DescribeNameFault(NameFault fault, const QString& strName, const NameRules& rules);

} // namespace quillet
