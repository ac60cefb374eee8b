#include "source/extension_filter.h"

#include "source/file_list.h"

#include <QSet>

namespace quillet
{

QString ExtensionOf(const QString& strName)
{
    const qsizetype nDot = strName.lastIndexOf(QLatin1Char('.'));
    return nDot < 0 ? strName : strName.mid(nDot + 1);
}

QStringList ExtensionEntries(const QStringList& names)
{
    QStringList entries{QStringLiteral("*")};
    QSet<QString> seen{entries.first()};
    seen.reserve(64);
    for (const QString& name : names) {
        QString extension = ToUpperText(ExtensionOf(name));
        if (seen.contains(extension))
            continue;
        seen.insert(extension);
        entries.append(std::move(extension));
    }
    return entries;
}

QString PatternForEntry(const QString& strEntry)
{
    return QStringLiteral("*.") + strEntry;
}

QStringList FillExtensionFilter(FileList& fileList)
{
    fileList.SetPattern(FileList::AllFilesPattern());
    return ExtensionEntries(fileList.Items());
}

} // namespace quillet
