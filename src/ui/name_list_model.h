#pragma once

#include "core/name_conflicts.h"

#include <QAbstractListModel>
#include <QColor>
#include <QIcon>
#include <QStringList>
#include <functional>
#include <memory>

namespace quillet
{

class NameProposer;

// One column of names for a list view. The names are either a list held as it is, or
// the proposals of a pass over a list of current names: those are computed row by row as
// the view asks for them, so a new pass costs the same whatever the number of files, and
// the whole list is built only when something asks for all of it (Names()).
// The "New Name" column also carries a forecast per name: a name with a problem is drawn
// in the warning colour with the warning icon, and its tooltip tells what will happen.
class NameListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Every name; proposals not yet built are built here, once.
    const QStringList& Names() const;
    qsizetype Count() const;
    QString Name(qsizetype nIndex) const;

    void SetNames(QStringList names);
    // The proposals of proposer for currentNames, computed when asked for.
    void SetProposals(std::shared_ptr<const NameProposer> proposer, QStringList currentNames);
    void Clear() { SetNames({}); }
    // What the names are made of, for building them elsewhere: the proposer of proposals
    // (null for a held list), else the held list itself.
    std::shared_ptr<const NameProposer> Proposer() const { return m_proposer; }
    QStringList HeldNames() const { return m_proposer ? QStringList() : m_names; }
    // The forecasts of the names, and the current names (the other column) they speak of.
    void SetForecasts(QList<RenameForecast> forecasts, const QStringList& currentNames);
    // No marks until the forecasts of the names shown come.
    void ClearForecasts();
    // Whether the forecasts are those of the names shown.
    bool Forecast() const { return m_bForecast; }
    NameProblem Problem(qsizetype nIndex) const;
    // How a marked name is drawn: a colour that reads on the list's background, an icon.
    void SetMarkLook(const QColor& colour, const QIcon& icon);

    // Removes the rows at the given sorted, distinct indexes. A few ranges are removed as
    // ranges, so the view keeps its place; many scattered rows reset the model at once.
    void RemoveSortedRows(const QList<qsizetype>& indexes);

private:
    void Replace(qsizetype nNewCount, const std::function<void()>& assign);
    void MarksChanged();
    QString Tooltip(qsizetype nRow) const;

    mutable QStringList m_names;                    // the names; for proposals, empty until built
    std::shared_ptr<const NameProposer> m_proposer; // set while the names are proposals
    QStringList m_sources;                          // the names the proposals are made from
    mutable bool m_bBuilt = true;                   // m_names holds every name
    QList<RenameForecast> m_forecasts;              // empty, or one per name
    bool m_bForecast = false;
    QStringList m_currentNames;
    QColor m_markColour{200, 0, 0};
    QIcon m_markIcon;
};

} // namespace quillet
