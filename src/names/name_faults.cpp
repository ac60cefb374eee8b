#include "names/name_faults.h"

#include <QCoreApplication>

namespace quillet
{

QString DescribeNameFault(NameFault fault, const QString& strName, const NameRules& rules)
{
    switch (fault) {
    case NameFault::None:
        return {};
    case NameFault::Empty:
        return QCoreApplication::translate("SafeRename", "the name is empty");
    case NameFault::DotName:
        return QCoreApplication::translate("SafeRename", "\"%1\" is not a file name").arg(strName);
    case NameFault::Separator:
        return rules.bWindowsCharacters
                   ? QCoreApplication::translate(
                         "SafeRename", "the name \"%1\" holds a folder separator \"/\" or \"\\\"")
                         .arg(strName)
                   : QCoreApplication::translate("SafeRename",
                                                 "the name \"%1\" holds a folder separator \"/\"")
                         .arg(strName);
    case NameFault::Forbidden:
        return rules.bWindowsCharacters
                   ? QCoreApplication::translate(
                         "SafeRename",
                         "the name \"%1\" holds a control character or one of : * ? \" < > |, "
                         "which this file system refuses")
                         .arg(strName)
                   : QCoreApplication::translate("SafeRename", "the name holds a NUL character");
    case NameFault::TrailingDot:
        return QCoreApplication::translate(
                   "SafeRename",
                   "the name \"%1\" ends in a dot or a space, which this file system drops")
            .arg(strName);
    case NameFault::ReservedName:
        return QCoreApplication::translate(
                   "SafeRename",
                   "the name \"%1\" is a reserved device name (CON, PRN, AUX, NUL, COM1 to COM9, "
                   "LPT1 to LPT9)")
            .arg(strName);
    case NameFault::TooLong:
        return rules.lengthUnit == LengthUnit::Utf16Units
                   ? QCoreApplication::translate("SafeRename",
                                                 "the name \"%1\" is longer than %2 characters")
                         .arg(strName)
                         .arg(rules.nMaxLength)
                   : QCoreApplication::translate("SafeRename",
                                                 "the name \"%1\" is longer than %2 bytes")
                         .arg(strName)
                         .arg(rules.nMaxLength);
    }
    return {};
}

} // namespace quillet
