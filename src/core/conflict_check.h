// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/name_conflicts.h"
#include "names/name_rules.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QThreadPool>
#include <atomic>
#include <memory>

namespace quillet
{

class NameProposer;
class RenameForecaster;

// The check of the proposed names, which marks those that will fail or surprise. It keeps
// what it knows of the listed and the folder's names while they stay the same. Up to
// kInHandler names a check runs at once and its marks come before Check() returns; above,
// it runs on a worker thread of its own, so typing never waits for it, and only the result
// of the latest check asked for is delivered: an older one gives up as soon as a newer one
// is asked for.
class ConflictCheck : public QObject
{
    Q_OBJECT

public:
    static constexpr qsizetype kInHandler = 8192;

    explicit ConflictCheck(QObject* parent = nullptr);
    // Gives up a check still running and waits for it.
    ~ConflictCheck() override;

    // Checks the proposals of proposer for currentNames, or, without a proposer, the
    // proposals held in full, in the folder holding folderFiles under its name rules.
    void Check(const QStringList& currentNames, const QStringList& folderFiles,
               const NameRules& rules, std::shared_ptr<const NameProposer> proposer,
               const QStringList& heldProposals);
    // Waits for a check running on the worker; its marks, if still wanted, come with the
    // next turn of the event loop.
    void Wait();

signals:
    // The marks of the latest check: one forecast per proposal, and the current names they
    // speak of.
    void marksReady(const QList<quillet::RenameForecast>& forecasts,
                    const QStringList& currentNames);
    // A check went to the worker: the marks shown so far are those of older names.
    void marksOutdated();

private:
    std::shared_ptr<std::atomic<quint64>> m_wanted = std::make_shared<std::atomic<quint64>>(0);
    QThreadPool m_pool;
    std::shared_ptr<RenameForecaster> m_forecaster;
};

} // namespace quillet
