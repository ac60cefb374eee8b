// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/name_conflicts.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QIcon>
#include <QStringList>
#include <functional>
#include <memory>

namespace quillet
{

class NameProposer;

// The rename pairs, the one model behind both name columns: column 0 holds the current names
// ("Old Name"), column 1 the proposed names ("New Name"). The current names are held once.
// The proposals are either those of a pass over the current names, computed row by row as a
// view asks for them, so that a new pass costs the same whatever the number of files and
// the whole list is built only when something asks for all of it; or a list held as it is
// (after search and replace, or after rows were removed).
// Each proposal also has a forecast: a name with a problem is drawn in the warning colour
// with the warning icon, and its tooltip tells what will happen.
class NamePairsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Current = 0, Proposed = 1 };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    qsizetype Count() const { return m_current.size(); }
    const QStringList& CurrentNames() const { return m_current; }
    // Every proposal; proposals not yet built are built here, once.
    const QStringList& ProposedNames() const;
    QString ProposedName(qsizetype nIndex) const;

    // New current names: the pairs are new, with no proposals until SetProposer or
    // SetProposals.
    void SetCurrentNames(QStringList names);
    // The proposals of proposer for the current names, computed when asked for.
    void SetProposer(std::shared_ptr<const NameProposer> proposer);
    // Proposals given in full, one per pair.
    void SetProposals(QStringList proposals);
    // What the proposals are made of, for checking them elsewhere: the proposer (null for
    // proposals held in full), else the held proposals.
    std::shared_ptr<const NameProposer> Proposer() const { return m_proposer; }
    QStringList HeldProposals() const { return m_proposer ? QStringList() : m_proposals; }

    // The forecasts of the proposals, and the current names they speak of.
    void SetForecasts(QList<RenameForecast> forecasts, const QStringList& currentNames);
    // No marks until the forecasts of the proposals shown come.
    void ClearForecasts();
    // Whether the forecasts are those of the proposals shown.
    bool Forecast() const { return m_bForecast; }
    NameProblem Problem(qsizetype nIndex) const;
    // How a marked name is drawn: a colour that reads on the list's background, an icon.
    void SetMarkLook(const QColor& colour, const QIcon& icon);

    // A check of each pair by the rename method chosen, which marks the pairs that method
    // cannot carry out: the reason, or an empty string. None: no such marks.
    using PairCheck = std::function<QString(const QString& strFrom, const QString& strTo)>;
    void SetPairCheck(PairCheck check);
    QString PairProblem(qsizetype nIndex) const;
    // Whether the proposal is drawn marked: a forecast problem or one of the method.
    bool Marked(qsizetype nIndex) const;

    // Removes the pairs at the given sorted, distinct indexes. The pairs that stay keep the
    // proposals they have. A few ranges are removed as ranges, so the views keep their
    // place; many scattered rows reset the model at once.
    void RemoveSortedRows(const QList<qsizetype>& indexes);

private:
    void ProposalsChanged(const std::function<void()>& assign);
    void MarksChanged();
    QString Tooltip(qsizetype nRow) const;
    QString ForecastTooltip(qsizetype nRow) const;

    QStringList m_current;
    std::shared_ptr<const NameProposer> m_proposer; // set while the proposals are a pass's
    mutable QStringList m_proposals;                // empty until built for a pass
    mutable bool m_bBuilt = true;                   // m_proposals holds every proposal
    QList<RenameForecast> m_forecasts;              // empty, or one per proposal
    bool m_bForecast = false;
    QStringList m_forecastCurrent; // the current names the forecasts speak of
    QColor m_markColour{200, 0, 0};
    QIcon m_markIcon;
    PairCheck m_pairCheck;
};

// One column of the pairs, read as a list of names.
class NameColumn
{
public:
    NameColumn(const NamePairsModel& pairs, NamePairsModel::Column column)
        : m_pairs(pairs), m_column(column)
    {
    }
    const QStringList& Names() const
    {
        return m_column == NamePairsModel::Current ? m_pairs.CurrentNames()
                                                   : m_pairs.ProposedNames();
    }
    qsizetype Count() const { return m_pairs.Count(); }
    QString Name(qsizetype nIndex) const
    {
        return m_column == NamePairsModel::Current ? m_pairs.CurrentNames().value(nIndex)
                                                   : m_pairs.ProposedName(nIndex);
    }
    NameProblem Problem(qsizetype nIndex) const
    {
        return m_column == NamePairsModel::Current ? NameProblem::None : m_pairs.Problem(nIndex);
    }
    bool Forecast() const { return m_pairs.Forecast(); }

private:
    const NamePairsModel& m_pairs;
    NamePairsModel::Column m_column;
};

} // namespace quillet
