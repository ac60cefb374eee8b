// SPDX-License-Identifier: GPL-3.0-or-later
#include "source/extension_filter.h"

#include "source/file_list.h"

#include <QSet>

#include <algorithm>

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
    // Most names share their extension with the name before them: those cost a compare,
    // and the others a case change in a reused buffer; only a new entry is a new string.
    QStringView previous;
    bool bPrevious = false;
    QString upper;
    for (const QString& name : names) {
        // A plain scan for the last dot, quicker than lastIndexOf of one character.
        qsizetype nDot = name.size() - 1;
        while (nDot >= 0 && name[nDot] != u'.')
            --nDot;
        const QStringView extension =
            nDot < 0 ? QStringView(name) : QStringView(name).mid(nDot + 1);
        if (bPrevious && extension == previous)
            continue;
        previous = extension;
        bPrevious = true;
        upper.resize(extension.size());
        std::copy(extension.begin(), extension.end(), upper.begin());
        UpperInPlace(upper, 0, upper.size());
        if (seen.contains(upper))
            continue;
        seen.insert(upper);
        entries.append(upper);
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
