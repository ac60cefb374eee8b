// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/generation_pass.h"
#include "core/name_conflicts.h"

#include <QList>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

namespace quillet
{

// Forecasts the renames of one list of current names in one folder, for one set of
// proposals after another (the forecasts of ForecastRenames). What depends on the names
// alone is computed once: the keys of the current and the folder names. A check then makes
// each proposal in a reused buffer, keeps only its key, and works in tables kept from the
// last check, so checking new proposals over a million names allocates nothing but its
// result and never a string per name.
// One check at a time: a forecaster is not used from two threads at once.
class RenameForecaster
{
public:
    RenameForecaster(QStringList currentNames, QStringList folderFiles, NameRules rules);

    // Whether this forecaster is the one for these lists and rules (the same lists, not
    // only equal ones).
    bool IsFor(const QStringList& currentNames, const QStringList& folderFiles,
               const NameRules& rules) const;

    // Returns true to give up the check (a newer one is wanted).
    using Cancel = std::function<bool()>;

    // The forecasts of the proposals of proposer for the current names; empty when
    // cancelled.
    QList<RenameForecast> Forecast(const NameProposer& proposer, const Cancel& cancel = {});
    // The forecasts of proposals given in full (as many as there are, only the first
    // currentNames.size() of them checked).
    QList<RenameForecast> Forecast(const QStringList& proposedNames, const Cancel& cancel = {});

private:
    template <typename Propose>
    QList<RenameForecast> Run(qsizetype nProposals, Propose&& propose, const Cancel& cancel);
    void EnsureKeys();

    // One proposal's entry in the table: how many files are to get the name, who bears it
    // before any rename (the 1-based row of a listed file, -1 a file not listed, 0 none),
    // and during the walk in list order who was renamed to it and who was refused it first.
    struct Slot {
        quint64 key = 0; // 0: empty
        qint32 proposals = 0;
        qint32 holder = 0;
        qint32 renamedRow = 0; // 1-based, 0 none
        qint32 firstRefused = 0;
    };

    // Const: the lists are shared with the window and read from several threads at once,
    // which must never detach them.
    const QStringList m_currentNames;
    const QStringList m_folderFiles;
    const NameRules m_rules;
    bool m_bKeys = false;
    std::vector<quint64> m_currentKeys;
    std::vector<quint64> m_folderKeys; // empty when the folder's files are the listed names
    // Kept from check to check.
    std::vector<quint64> m_proposalKeys;
    std::vector<quint32> m_slotOf; // the table slot of each row's proposal
    std::vector<quint8> m_freed;   // the row was renamed, so its old name is free
    std::vector<Slot> m_slots;
    // The last results handed out, shared with whoever holds them.
    std::array<QList<RenameForecast>, 2> m_spares;
};

} // namespace quillet
