// SPDX-License-Identifier: GPL-3.0-or-later
#include "names/name_faults.h"

#include <QCoreApplication>

namespace quillet
{

namespace
{

// A character as a message shows it: in quotes, or by its code when it cannot be seen.
QString ShownCharacter(QChar c)
{
    if (c.unicode() < 0x20 || c.unicode() == 0x7f)
        return QCoreApplication::translate("SafeRename", "the control character %1")
            .arg(QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper());
    return u'"' + QString(c) + u'"';
}

// The first character of the name that the rules refuse, for a Forbidden name: a NUL is
// refused everywhere, the others where Windows characters are.
QChar ForbiddenCharacter(QStringView name)
{
    if (name.contains(QChar(0)))
        return QChar(0);
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || QStringView(u":*?\"<>|").contains(c))
            return c;
    }
    return QChar(0);
}

// The part of the name that Windows takes for a device: before the first dot, without
// the blanks before it.
QStringView DevicePart(QStringView name)
{
    qsizetype nEnd = name.indexOf(u'.');
    if (nEnd < 0)
        nEnd = name.size();
    while (nEnd > 0 && name.at(nEnd - 1) == u' ')
        --nEnd;
    return name.left(nEnd);
}

} // namespace

QString DescribeNameFault(NameFault fault, QStringView name, const NameRules& rules)
{
    switch (fault) {
    case NameFault::None:
        return {};
    case NameFault::Empty:
        return QCoreApplication::translate("SafeRename", "it is empty");
    case NameFault::DotName:
        return QCoreApplication::translate("SafeRename", "\"%1\" stands for a folder, not a file")
            .arg(name);
    case NameFault::Separator:
        // "/" separates folders everywhere; "\" only where Windows names are the rule.
        return QCoreApplication::translate("SafeRename", "it holds \"%1\", which separates folders")
            .arg(name.contains(u'/') ? QChar(u'/') : QChar(u'\\'));
    case NameFault::Forbidden: {
        const QChar c = ForbiddenCharacter(name);
        if (c.isNull())
            return QCoreApplication::translate(
                "SafeRename", "it holds a NUL character, which no file system takes");
        return QCoreApplication::translate("SafeRename",
                                           "it holds %1, which this file system refuses")
            .arg(ShownCharacter(c));
    }
    case NameFault::TrailingDot:
        return name.endsWith(u'.')
                   ? QCoreApplication::translate("SafeRename",
                                                 "it ends in a dot, which this file system drops")
                   : QCoreApplication::translate(
                         "SafeRename", "it ends in a space, which this file system drops");
    case NameFault::ReservedName:
        return QCoreApplication::translate(
                   "SafeRename", "\"%1\" is a device name, which this file system reserves")
            .arg(DevicePart(name));
    case NameFault::TooLong: {
        const auto nLength = qulonglong(NameLength(Utf16View(name), rules.lengthUnit));
        return rules.lengthUnit == LengthUnit::Utf16Units
                   ? QCoreApplication::translate(
                         "SafeRename",
                         "it is %1 characters long, and this file system takes at most %2 "
                         "characters")
                         .arg(nLength)
                         .arg(rules.nMaxLength)
                   : QCoreApplication::translate(
                         "SafeRename",
                         "it is %1 bytes long, and this file system takes at most %2 bytes")
                         .arg(nLength)
                         .arg(rules.nMaxLength);
    }
    }
    return {};
}

} // namespace quillet
