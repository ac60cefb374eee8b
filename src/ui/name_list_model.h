#pragma once

#include "core/name_conflicts.h"

#include <QAbstractListModel>
#include <QColor>
#include <QIcon>
#include <QStringList>

namespace quillet
{

// One column of names for a list view. Holds the names as one QStringList, so replacing
// the whole column after a pass is a single model reset, whatever the number of files.
// The "New Name" column also carries a forecast per name: a name with a problem is drawn
// in the warning colour with the warning icon, and its tooltip tells what will happen.
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
    // The forecasts of the names, and the current names (the other column) they speak of.
    void SetForecasts(QList<RenameForecast> forecasts, const QStringList& currentNames);
    NameProblem Problem(qsizetype nIndex) const;
    // How a marked name is drawn: a colour that reads on the list's background, an icon.
    void SetMarkLook(const QColor& colour, const QIcon& icon);

    // Removes the rows at the given sorted, distinct indexes. A few ranges are removed as
    // ranges, so the view keeps its place; many scattered rows reset the model at once.
    void RemoveSortedRows(const QList<qsizetype>& indexes);

private:
    void MarksChanged();

    QStringList m_names;
    QList<RenameForecast> m_forecasts; // empty, or one per name
    QStringList m_currentNames;
    QColor m_markColour{200, 0, 0};
    QIcon m_markIcon;
};

} // namespace quillet
