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

QString UpperCaseSimple(const QString& strText)
{
    QString upper;
    upper.reserve(strText.size());
    const qsizetype n = strText.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = strText.at(i);
        if (c.unicode() < 0x80) {
            upper.append(c.unicode() >= u'a' && c.unicode() <= u'z' ? QChar(c.unicode() - 32) : c);
        } else if (c.isHighSurrogate() && i + 1 < n && strText.at(i + 1).isLowSurrogate()) {
            const char32_t code = QChar::surrogateToUcs4(c, strText.at(i + 1));
            const char32_t mapped = QChar::toUpper(code);
            if (QChar::requiresSurrogates(mapped)) {
                upper.append(QChar(QChar::highSurrogate(mapped)));
                upper.append(QChar(QChar::lowSurrogate(mapped)));
            } else {
                upper.append(QChar(char16_t(mapped)));
            }
            ++i;
        } else {
            upper.append(c.toUpper());
        }
    }
    return upper;
}

QStringList ExtensionEntries(const QStringList& names)
{
    QStringList entries{QStringLiteral("*")};
    QSet<QString> seen{entries.first()};
    seen.reserve(64);
    for (const QString& name : names) {
        QString extension = UpperCaseSimple(ExtensionOf(name));
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
