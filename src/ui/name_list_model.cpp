#include "ui/name_list_model.h"

#include "core/generation_pass.h"

#include <QBrush>
#include <QColor>
#include <QThreadPool>

namespace quillet
{

namespace
{

// Freeing a list of a million names takes tens of milliseconds: a large list no longer
// needed is freed on a pool thread, so the window thread never waits for it.
void FreeElsewhere(QStringList&& list)
{
    constexpr qsizetype kLarge = 50000;
    if (list.size() < kLarge || !list.isDetached()) {
        list = QStringList();
        return;
    }
    QThreadPool::globalInstance()->start(
        [doomed = std::move(list)]() mutable { doomed = QStringList(); });
}

} // namespace

int NameListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(Count());
}

qsizetype NameListModel::Count() const
{
    return m_proposer ? m_sources.size() : m_names.size();
}

QString NameListModel::Name(qsizetype nIndex) const
{
    if (m_bBuilt)
        return m_names.value(nIndex);
    return nIndex >= 0 && nIndex < m_sources.size() ? m_proposer->Propose(nIndex, m_sources[nIndex])
                                                    : QString();
}

const QStringList& NameListModel::Names() const
{
    if (!m_bBuilt) {
        m_names = BuildNewNames(*m_proposer, m_sources);
        m_bBuilt = true;
    }
    return m_names;
}

QVariant NameListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= Count())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return Name(index.row());
    case Qt::ForegroundRole:
        if (Problem(index.row()) != NameProblem::None)
            return QBrush(m_markColour);
        return {};
    case Qt::DecorationRole:
        if (Problem(index.row()) != NameProblem::None)
            return m_markIcon;
        return {};
    case Qt::ToolTipRole:
        return Tooltip(index.row());
    case Qt::AccessibleDescriptionRole: // a screen reader's words for the mark
        if (Problem(index.row()) != NameProblem::None)
            return Tooltip(index.row());
        return {};
    default:
        return {};
    }
}

QString NameListModel::Tooltip(qsizetype nRow) const
{
    if (m_bBuilt || Problem(nRow) == NameProblem::None)
        return DescribeForecast(m_forecasts, nRow, m_currentNames, m_names);
    // Of the proposals, a tooltip reads only the row's own: the others stay unbuilt.
    QStringList proposals(nRow + 1);
    proposals[nRow] = Name(nRow);
    return DescribeForecast(m_forecasts, nRow, m_currentNames, proposals);
}

void NameListModel::Replace(qsizetype nNewCount, const std::function<void()>& assign)
{
    // The same number of rows: the view keeps its place and only repaints what it shows;
    // otherwise it lays the rows out again.
    const bool bSameRows = nNewCount == Count() && nNewCount > 0;
    if (!bSameRows)
        beginResetModel();
    FreeElsewhere(std::move(m_names));
    m_forecasts.clear();
    m_bForecast = false;
    assign();
    if (!bSameRows) {
        endResetModel();
        return;
    }
    emit dataChanged(index(0), index(int(nNewCount) - 1),
                     {Qt::DisplayRole, Qt::ForegroundRole, Qt::DecorationRole, Qt::ToolTipRole});
}

void NameListModel::SetNames(QStringList names)
{
    Replace(names.size(), [&] {
        m_names = std::move(names);
        m_proposer.reset();
        m_sources = QStringList();
        m_bBuilt = true;
    });
}

void NameListModel::SetProposals(std::shared_ptr<const NameProposer> proposer,
                                 QStringList currentNames)
{
    Replace(currentNames.size(), [&] {
        m_proposer = std::move(proposer);
        m_sources = std::move(currentNames);
        m_names = QStringList();
        m_bBuilt = false;
    });
}

void NameListModel::SetForecasts(QList<RenameForecast> forecasts, const QStringList& currentNames)
{
    m_currentNames = currentNames;
    m_bForecast = true;
    if (forecasts.isEmpty() && m_forecasts.isEmpty())
        return;
    m_forecasts = std::move(forecasts);
    MarksChanged();
}

void NameListModel::ClearForecasts()
{
    m_bForecast = false;
    if (m_forecasts.isEmpty())
        return;
    m_forecasts.clear();
    MarksChanged();
}

void NameListModel::SetMarkLook(const QColor& colour, const QIcon& icon)
{
    m_markColour = colour;
    m_markIcon = icon;
    MarksChanged();
}

void NameListModel::MarksChanged()
{
    if (Count() > 0)
        emit dataChanged(index(0), index(int(Count()) - 1),
                         {Qt::ForegroundRole, Qt::DecorationRole, Qt::ToolTipRole});
}

NameProblem NameListModel::Problem(qsizetype nIndex) const
{
    return nIndex >= 0 && nIndex < m_forecasts.size() ? m_forecasts[nIndex].problem
                                                      : NameProblem::None;
}

void NameListModel::RemoveSortedRows(const QList<qsizetype>& indexes)
{
    // The rows that stay keep the proposals they have: from here on the names are a list.
    if (m_proposer) {
        Names();
        m_proposer.reset();
        m_sources = QStringList();
    }
    const auto inRange = [this](qsizetype i) { return i >= 0 && i < m_names.size(); };
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
        // Many scattered rows: keep the others in one linear sweep.
        beginResetModel();
        QStringList keptNames;
        QList<RenameForecast> keptForecasts;
        keptNames.reserve(m_names.size());
        qsizetype nRange = 0;
        for (qsizetype i = 0; i < m_names.size(); ++i) {
            while (nRange < ranges.size() && ranges[nRange].second < i)
                ++nRange;
            if (nRange < ranges.size() && ranges[nRange].first <= i)
                continue;
            keptNames.append(std::move(m_names[i]));
            if (i < m_forecasts.size())
                keptForecasts.append(m_forecasts[i]);
        }
        m_names = std::move(keptNames);
        m_forecasts = std::move(keptForecasts);
        endResetModel();
        return;
    }
    for (auto it = ranges.crbegin(); it != ranges.crend(); ++it) {
        beginRemoveRows({}, int(it->first), int(it->second));
        m_names.remove(it->first, it->second - it->first + 1);
        if (m_forecasts.size() > it->first)
            m_forecasts.remove(it->first, qMin(it->second + 1, m_forecasts.size()) - it->first);
        endRemoveRows();
    }
}

} // namespace quillet
