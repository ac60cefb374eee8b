// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/job.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace quillet
{

// Replaces every occurrence of strSearch in strEntry by strReplace: exact, case-sensitive
// comparison, scanning left to right and going on after each match, so matches never
// overlap and the inserted text is not searched again. An empty search string changes
// nothing.
QString ReplaceAll(const QString& strEntry, const QString& strSearch, const QString& strReplace);

// Runs ReplaceAll over every entry in place, in order. After entry i is written,
// progress(i + 1) is called when given. The number and order of entries never change.
void SearchAndReplace(QStringList& entries, const QString& strSearch, const QString& strReplace,
                      const std::function<void(qsizetype)>& progress = {});

// SearchAndReplace as a job, for the window: the entries are replaced in slices, in order,
// and progress() follows each slice. takeEntries() hands over the result once finished.
class SearchReplaceJob : public Job
{
    Q_OBJECT

public:
    SearchReplaceJob(QStringList entries, QString strSearch, QString strReplace,
                     QObject* parent = nullptr);
    QStringList takeEntries() { return std::move(m_entries); }

protected:
    void begin() override { setTotal(m_entries.size()); }
    bool step(const QDeadlineTimer& deadline) override;

private:
    QStringList m_entries;
    QString m_strSearch;
    QString m_strReplace;
    qsizetype m_nNext = 0;
};

} // namespace quillet
