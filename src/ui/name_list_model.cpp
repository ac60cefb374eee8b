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
            return QBrush(QColor(200, 0, 0));
        return {};
    case Qt::ToolTipRole:
        return DescribeNameProblem(Problem(index.row()));
    default:
        return {};
    }
}

void NameListModel::SetNames(QStringList names)
{
    beginResetModel();
    m_names = std::move(names);
    m_problems.clear();
    endResetModel();
}

void NameListModel::SetProblems(QList<NameProblem> problems)
{
    if (problems.isEmpty() && m_problems.isEmpty())
        return;
    m_problems = std::move(problems);
    if (!m_names.isEmpty())
        emit dataChanged(index(0), index(int(m_names.size()) - 1),
                         {Qt::ForegroundRole, Qt::ToolTipRole});
}

NameProblem NameListModel::Problem(qsizetype nIndex) const
{
    return nIndex >= 0 && nIndex < m_problems.size() ? m_problems[nIndex] : NameProblem::None;
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
        QList<NameProblem> keptProblems;
        keptNames.reserve(m_names.size());
        qsizetype nRange = 0;
        for (qsizetype i = 0; i < m_names.size(); ++i) {
            while (nRange < ranges.size() && ranges[nRange].second < i)
                ++nRange;
            if (nRange < ranges.size() && ranges[nRange].first <= i)
                continue;
            keptNames.append(std::move(m_names[i]));
            if (i < m_problems.size())
                keptProblems.append(m_problems[i]);
        }
        m_names = std::move(keptNames);
        m_problems = std::move(keptProblems);
        endResetModel();
        return;
    }
    for (auto it = ranges.crbegin(); it != ranges.crend(); ++it) {
        beginRemoveRows({}, int(it->first), int(it->second));
        m_names.remove(it->first, it->second - it->first + 1);
        if (m_problems.size() > it->first)
            m_problems.remove(it->first, qMin(it->second + 1, m_problems.size()) - it->first);
        endRemoveRows();
    }
}

} // namespace quillet
