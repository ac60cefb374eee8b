// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "script_report.h"

#include <QList>
#include <QObject>
#include <QString>
#include <utility>

namespace quillet
{

// A script started in the command interpreter, watched while it runs. The platform layer
// fills it in as the interpreter reports; the owner reads it once finished() was emitted.
class ScriptRun : public QObject
{
    Q_OBJECT

public:
    // outcomeKnown: whether the interpreter reports what each line did. When it does not,
    // the run counts as finished from the start and has no results.
    explicit ScriptRun(bool outcomeKnown) : m_outcomeKnown(outcomeKnown), m_running(outcomeKnown) {}

    bool outcomeKnown() const { return m_outcomeKnown; }
    bool isRunning() const { return m_running; }

    // The lines that renamed or failed, in script order, as far as not taken yet.
    const QList<ScriptLineResult>& results() const { return m_results; }
    // Whether the interpreter ran the script to its end (it may have failed on lines).
    bool ranToEnd() const { return m_ranToEnd; }
    // The interpreter's own words when it did not run to the end.
    const QString& endText() const { return m_endText; }

    // The results reported since the last call, taken out of the run.
    QList<ScriptLineResult> takeResults() { return std::exchange(m_results, {}); }

    void addResult(ScriptLineResult result) { m_results.append(std::move(result)); }
    // Marks the run finished and emits finished().
    void finish(bool ranToEnd, const QString& endText)
    {
        m_running = false;
        m_ranToEnd = ranToEnd;
        m_endText = endText;
        emit finished();
    }

signals:
    // New results came in while the interpreter runs (not every platform tells).
    void resultsAdded();
    void finished();

private:
    bool m_outcomeKnown;
    bool m_running;
    bool m_ranToEnd = false;
    QString m_endText;
    QList<ScriptLineResult> m_results;
};

} // namespace quillet
