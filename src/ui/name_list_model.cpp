#include "ui/name_list_model.h"

#include <QBrush>
#include <QColor>

namespace quillet
{

int NameListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_names.size());
}

QVariant NameListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_names.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_names[index.row()];
    case Qt::ForegroundRole:
        if (Problem(index.row()) != NameProblem::None)
            return QBrush(m_markColour);
        return {};
    case Qt::DecorationRole:
        if (Problem(index.row()) != NameProblem::None)
            return m_markIcon;
        return {};
    case Qt::ToolTipRole:
        return DescribeForecast(m_forecasts, index.row(), m_currentNames, m_names);
    default:
        return {};
    }
}

void NameListModel::SetNames(QStringList names)
{
    beginResetModel();
    m_names = std::move(names);
    m_forecasts.clear();
    endResetModel();
}

void NameListModel::SetForecasts(QList<RenameForecast> forecasts, const QStringList& currentNames)
{
    m_currentNames = currentNames;
    if (forecasts.isEmpty() && m_forecasts.isEmpty())
        return;
    m_forecasts = std::move(forecasts);
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
    if (!m_names.isEmpty())
        emit dataChanged(index(0), index(int(m_names.size()) - 1),
                         {Qt::ForegroundRole, Qt::DecorationRole, Qt::ToolTipRole});
}

NameProblem NameListModel::Problem(qsizetype nIndex) const
{
    return nIndex >= 0 && nIndex < m_forecasts.size() ? m_forecasts[nIndex].problem
                                                      : NameProblem::None;
}

void NameListModel::RemoveSortedRows(const QList<qsizetype>& indexes)
{
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
