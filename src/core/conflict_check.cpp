// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/conflict_check.h"

#include "core/generation_pass.h"
#include "core/rename_forecaster.h"

namespace quillet
{

ConflictCheck::ConflictCheck(QObject* parent) : QObject(parent)
{
    m_pool.setMaxThreadCount(1);
}

ConflictCheck::~ConflictCheck()
{
    // A check still running would post its marks to an object that is gone.
    m_wanted->store(0);
    Wait();
}

void ConflictCheck::Wait()
{
    m_pool.waitForDone();
}

void ConflictCheck::Check(const QStringList& currentNames, const QStringList& folderFiles,
                          const NameRules& rules, std::shared_ptr<const NameProposer> proposer,
                          const QStringList& heldProposals)
{
    const quint64 nCheck = ++*m_wanted;
    if (!m_forecaster || !m_forecaster->IsFor(currentNames, folderFiles, rules))
        m_forecaster = std::make_shared<RenameForecaster>(currentNames, folderFiles, rules);
    if (currentNames.size() <= kInHandler) {
        emit marksReady(proposer ? m_forecaster->Forecast(*proposer)
                                 : m_forecaster->Forecast(heldProposals),
                        currentNames);
        return;
    }
    // The marks of the last check no longer apply; the new ones follow when the worker is
    // done, unless a newer change asked for a check of its own by then (which the worker
    // sees and gives up).
    emit marksOutdated();
    const std::shared_ptr<std::atomic<quint64>> wanted = m_wanted;
    const std::shared_ptr<RenameForecaster> forecaster = m_forecaster;
    m_pool.start([this, nCheck, wanted, forecaster, proposer, heldProposals, currentNames] {
        const auto cancel = [&] { return wanted->load() != nCheck; };
        QList<RenameForecast> forecasts = proposer ? forecaster->Forecast(*proposer, cancel)
                                                   : forecaster->Forecast(heldProposals, cancel);
        if (cancel())
            return;
        QMetaObject::invokeMethod(
            this,
            [this, nCheck, currentNames, forecasts = std::move(forecasts)]() mutable {
                if (m_wanted->load() == nCheck)
                    emit marksReady(forecasts, currentNames);
            },
            Qt::QueuedConnection);
    });
}

} // namespace quillet
