#pragma once

#include "core/name_conflicts.h"

#include <QAbstractListModel>
#include <QStringList>

namespace quillet
{

// One column of names for a list view. Holds the names as one QStringList, so replacing
// the whole column after a pass is a single model reset, whatever the number of files.
// The "New Name" column also carries a problem mark per name, drawn in a warning colour
// with the reason as tooltip.
class NameListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    const QStringList& Names() const { return m_names; }
    qsizetype Count() const { return m_names.size(); }
    QString Name(qsizetype nIndex) const { return m_names.value(nIndex); }

    void SetNames(QStringList names);
    void Clear() { SetNames({}); }
    void SetProblems(QList<NameProblem> problems);
    NameProblem Problem(qsizetype nIndex) const;

    // Removes the rows at the given sorted, distinct indexes. A few ranges are removed as
    // ranges, so the view keeps its place; many scattered rows reset the model at once.
    void RemoveSortedRows(const QList<qsizetype>& indexes);

private:
    QStringList m_names;
    QList<NameProblem> m_problems; // empty, or one per name
};

} // namespace quillet
