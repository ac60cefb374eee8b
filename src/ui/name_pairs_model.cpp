// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/name_pairs_model.h"

#include "core/generation_pass.h"
#include "core/rename_list.h"
#include "names/file_name_bytes.h"
#include "run/release_away.h"

#include <QBrush>
#include <QThreadPool>

namespace quillet
{

namespace
{

const QList<int> kNameRoles{Qt::DisplayRole, Qt::ForegroundRole, Qt::DecorationRole,
                            Qt::ToolTipRole};
const QList<int> kMarkRoles{Qt::ForegroundRole, Qt::DecorationRole, Qt::ToolTipRole};

} // namespace

int NamePairsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(Count());
}

int NamePairsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QString NamePairsModel::ProposedName(qsizetype nIndex) const
{
    if (m_bBuilt)
        return m_proposals.value(nIndex);
    return nIndex >= 0 && nIndex < m_current.size() ? m_proposer->Propose(nIndex, m_current[nIndex])
                                                    : QString();
}

const QStringList& NamePairsModel::ProposedNames() const
{
    if (!m_bBuilt) {
        m_proposals = BuildNewNames(*m_proposer, m_current);
        m_bBuilt = true;
    }
    return m_proposals;
}

QVariant NamePairsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= Count())
        return {};
    const qsizetype nRow = index.row();
    if (index.column() == Current)
        return role == Qt::DisplayRole ? QVariant(DisplayFileName(m_current.at(nRow))) : QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return DisplayFileName(ProposedName(nRow));
    case Qt::ForegroundRole:
        if (Marked(nRow))
            return QBrush(m_markColour);
        return {};
    case Qt::DecorationRole:
        if (Marked(nRow))
            return m_markIcon;
        return {};
    case Qt::ToolTipRole:
        return Tooltip(nRow);
    case Qt::AccessibleDescriptionRole: // a screen reader's words for the mark
        if (Marked(nRow))
            return Tooltip(nRow);
        return {};
    default:
        return {};
    }
}

QString NamePairsModel::PairProblem(qsizetype nRow) const
{
    if (!m_pairCheck || nRow < 0 || nRow >= Count())
        return {};
    return m_pairCheck(m_current.at(nRow), ProposedName(nRow));
}

bool NamePairsModel::Marked(qsizetype nRow) const
{
    return Problem(nRow) != NameProblem::None || !PairProblem(nRow).isEmpty();
}

void NamePairsModel::SetPairCheck(PairCheck check)
{
    m_pairCheck = std::move(check);
    MarksChanged();
}

QString NamePairsModel::Tooltip(qsizetype nRow) const
{
    const QString strForecast = ForecastTooltip(nRow);
    const QString strPair = PairProblem(nRow);
    if (strPair.isEmpty())
        return strForecast;
    const QString strMethod = tr("The Shell method cannot carry out this rename: %1 Delete this "
                                 "row, or choose API(slow).")
                                  .arg(strPair);
    return strForecast.isEmpty() ? strMethod : strForecast + QLatin1Char('\n') + strMethod;
}

QString NamePairsModel::ForecastTooltip(qsizetype nRow) const
{
    if (m_bBuilt || Problem(nRow) == NameProblem::None)
        return DescribeForecast(m_forecasts, nRow, m_forecastCurrent, m_proposals);
    // Of the proposals, a tooltip reads only the row's own: the others stay unbuilt.
    QStringList proposals(nRow + 1);
    proposals[nRow] = ProposedName(nRow);
    return DescribeForecast(m_forecasts, nRow, m_forecastCurrent, proposals);
}

void NamePairsModel::SetCurrentNames(QStringList names)
{
    // The same number of rows: the views keep their place and only repaint what they show;
    // otherwise they lay the rows out again.
    const bool bSameRows = names.size() == Count() && !names.isEmpty();
    if (!bSameRows)
        beginResetModel();
    ReleaseAway(std::exchange(m_current, {}));
    ReleaseAway(std::exchange(m_proposals, {}));
    m_current = std::move(names);
    m_proposer.reset();
    m_bBuilt = true;
    m_forecasts.clear();
    m_bForecast = false;
    if (!bSameRows) {
        endResetModel();
        return;
    }
    emit dataChanged(index(0, Current), index(int(Count()) - 1, Proposed), kNameRoles);
}

void NamePairsModel::ProposalsChanged(const std::function<void()>& assign)
{
    ReleaseAway(std::exchange(m_proposals, {}));
    m_forecasts.clear();
    m_bForecast = false;
    assign();
    if (Count() > 0)
        emit dataChanged(index(0, Proposed), index(int(Count()) - 1, Proposed), kNameRoles);
}

void NamePairsModel::SetProposer(std::shared_ptr<const NameProposer> proposer)
{
    ProposalsChanged([&] {
        m_proposer = std::move(proposer);
        m_proposals = QStringList();
        m_bBuilt = false;
    });
}

void NamePairsModel::SetProposals(QStringList proposals)
{
    ProposalsChanged([&] {
        m_proposer.reset();
        m_proposals = std::move(proposals);
        m_bBuilt = true;
    });
}

void NamePairsModel::SetForecasts(QList<RenameForecast> forecasts, const QStringList& currentNames)
{
    m_forecastCurrent = currentNames;
    m_bForecast = true;
    if (forecasts.isEmpty() && m_forecasts.isEmpty())
        return;
    m_forecasts = std::move(forecasts);
    MarksChanged();
}

void NamePairsModel::ClearForecasts()
{
    m_bForecast = false;
    if (m_forecasts.isEmpty())
        return;
    m_forecasts.clear();
    MarksChanged();
}

void NamePairsModel::SetMarkLook(const QColor& colour, const QIcon& icon)
{
    m_markColour = colour;
    m_markIcon = icon;
    MarksChanged();
}

void NamePairsModel::MarksChanged()
{
    if (Count() > 0)
        emit dataChanged(index(0, Proposed), index(int(Count()) - 1, Proposed), kMarkRoles);
}

NameProblem NamePairsModel::Problem(qsizetype nIndex) const
{
    return nIndex >= 0 && nIndex < m_forecasts.size() ? m_forecasts[nIndex].problem
                                                      : NameProblem::None;
}

void NamePairsModel::RemoveSortedRows(const QList<qsizetype>& indexes)
{
    // The pairs that stay keep the proposals they have: from here on those are a list.
    if (m_proposer) {
        ProposedNames();
        m_proposer.reset();
    }
    const auto inRange = [this](qsizetype i) { return i >= 0 && i < Count(); };
    // Contiguous ranges, from the last to the first so earlier indexes stay valid.
    QList<std::pair<qsizetype, qsizetype>> ranges;
    for (const qsizetype i : indexes) {
        if (!inRange(i))
            continue;
        if (!ranges.isEmpty() && ranges.back().second + 1 == i)
            ranges.back().second = i;
        else
            ranges.append({i, i});
    }
    if (ranges.isEmpty())
        return;
    constexpr qsizetype kMaxRanges = 64;
    if (ranges.size() > kMaxRanges) {
        // Many scattered rows: both lists in one linear sweep; the marks come anew.
        beginResetModel();
        RemoveEntries(m_current, m_proposals, indexes);
        m_forecasts.clear();
        m_bForecast = false;
        endResetModel();
        return;
    }
    for (auto it = ranges.crbegin(); it != ranges.crend(); ++it) {
        const qsizetype nFirst = it->first;
        const qsizetype nCount = it->second - it->first + 1;
        beginRemoveRows({}, int(it->first), int(it->second));
        m_current.remove(nFirst, nCount);
        if (m_proposals.size() > nFirst)
            m_proposals.remove(nFirst, qMin(nFirst + nCount, m_proposals.size()) - nFirst);
        if (m_forecasts.size() > nFirst)
            m_forecasts.remove(nFirst, qMin(nFirst + nCount, m_forecasts.size()) - nFirst);
        endRemoveRows();
    }
}

} // namespace quillet
