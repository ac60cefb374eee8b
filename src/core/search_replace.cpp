#include "core/search_replace.h"

namespace quillet
{

QString ReplaceAll(const QString& strEntry, const QString& strSearch, const QString& strReplace)
{
    if (strSearch.isEmpty())
        return strEntry;
    qsizetype nMatch = strEntry.indexOf(strSearch, 0, Qt::CaseSensitive);
    if (nMatch < 0)
        return strEntry;
    QString strResult;
    strResult.reserve(strEntry.size() +
                      qMax<qsizetype>(0, strReplace.size() - strSearch.size()) * 4);
    qsizetype nFrom = 0;
    while (nMatch >= 0) {
        strResult.append(QStringView(strEntry).mid(nFrom, nMatch - nFrom));
        strResult.append(strReplace);
        nFrom = nMatch + strSearch.size();
        nMatch = strEntry.indexOf(strSearch, nFrom, Qt::CaseSensitive);
    }
    strResult.append(QStringView(strEntry).mid(nFrom));
    return strResult;
}

void SearchAndReplace(QStringList& entries, const QString& strSearch, const QString& strReplace,
                      const std::function<void(qsizetype)>& progress)
{
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (!strSearch.isEmpty())
            entries[i] = ReplaceAll(entries[i], strSearch, strReplace);
        if (progress)
            progress(i + 1);
    }
}

} // namespace quillet
