// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "names/name_rules.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quillet
{

// Why a proposed name will fail or surprise when the files are renamed in list order.
enum class NameProblem : quint8 {
    None,
    Invalid,   // a name the folder's file system refuses or would change (NameRules)
    Duplicate, // the same proposal for two or more files
    Taken,     // still borne by another file when this file's turn comes
};

// What becomes of one row when the files are renamed in list order, and why.
struct RenameForecast {
    enum class Fate : quint8 {
        Renamed,   // renamed, or keeps its name
        Invalid,   // refused: the file system would not take the name
        AfterSame, // refused: nOther was renamed to the same name before this turn
        HeldLater, // refused: nOther still bears the name, since it is renamed later
        HeldKept,  // refused: nOther bears the name and keeps it (unchanged or refused)
        Unlisted,  // refused: a file of the folder that is not listed bears the name
    };
    Fate fate = Fate::Renamed;
    NameProblem problem = NameProblem::None; // the mark of the row
    // For an Invalid row, the rule its name breaks, and the unit in which the file system
    // counts a name's length.
    NameFault fault = NameFault::None;
    LengthUnit lengthUnit = LengthUnit::Utf8Bytes;
    // The row (0-based) the fate refers to; for a row renamed while another row with the
    // same proposal is refused, the first such row. -1 when none.
    qint32 nOther = -1;
    // For an Invalid row, the file system's longest name, in lengthUnit.
    qint32 nMaxLength = 0;
};

// Forecasts every row: rows are renamed in list order, and a rename is refused when its
// name is borne by a file at that moment; a refused file keeps its name. The marks are
// those of CheckProposedNames.
QList<RenameForecast> ForecastRenames(const QStringList& currentNames,
                                      const QStringList& proposedNames,
                                      const QStringList& folderFiles, const NameRules& rules);

// Tells the user what will happen to row nRow, naming the other file involved by its
// current name and row number, or the rule that its name breaks; empty for a row renamed
// without any problem.
QString DescribeForecast(const QList<RenameForecast>& forecasts, qsizetype nRow,
                         const QStringList& currentNames, const QStringList& proposedNames);

// Checks every proposal against the others and the folder's files, in linear time.
// currentNames[i] is renamed to proposedNames[i], in list order. folderFiles are all the
// files of the folder, listed or not; those not in currentNames are never renamed and so
// keep their names. A proposal equal to its own current name (or, where case is ignored,
// differing from it only in case) is no problem.
QList<NameProblem> CheckProposedNames(const QStringList& currentNames,
                                      const QStringList& proposedNames,
                                      const QStringList& folderFiles, const NameRules& rules);

// Text for the tooltip of a marked name.
QString DescribeNameProblem(NameProblem problem);

} // namespace quillet
