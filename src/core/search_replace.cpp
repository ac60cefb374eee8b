// SPDX-License-Identifier: GPL-3.0-or-later
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

SearchReplaceJob::SearchReplaceJob(QStringList entries, QString strSearch, QString strReplace,
                                   QObject* parent)
    : Job(parent), m_entries(std::move(entries)), m_strSearch(std::move(strSearch)),
      m_strReplace(std::move(strReplace))
{
}

bool SearchReplaceJob::step(const QDeadlineTimer& deadline)
{
    const qsizetype nCount = m_entries.size();
    while (m_nNext < nCount) {
        if (!m_strSearch.isEmpty())
            m_entries[m_nNext] = ReplaceAll(m_entries.at(m_nNext), m_strSearch, m_strReplace);
        ++m_nNext;
        if ((m_nNext & 255) == 0 && deadline.hasExpired())
            break;
    }
    setProcessed(m_nNext);
    return m_nNext < nCount;
}

} // namespace quillet
