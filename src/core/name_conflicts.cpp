// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/name_conflicts.h"

#include <QCoreApplication>

#include "core/rename_forecaster.h"
#include "names/name_faults.h"

namespace quillet
{

QList<RenameForecast> ForecastRenames(const QStringList& currentNames,
                                      const QStringList& proposedNames,
                                      const QStringList& folderFiles, const NameRules& rules)
{
    return RenameForecaster(currentNames, folderFiles, rules).Forecast(proposedNames);
}

QList<NameProblem> CheckProposedNames(const QStringList& currentNames,
                                      const QStringList& proposedNames,
                                      const QStringList& folderFiles, const NameRules& rules)
{
    const QList<RenameForecast> forecasts =
        ForecastRenames(currentNames, proposedNames, folderFiles, rules);
    QList<NameProblem> problems;
    problems.reserve(forecasts.size());
    for (const RenameForecast& forecast : forecasts)
        problems.append(forecast.problem);
    return problems;
}

QString DescribeForecast(const QList<RenameForecast>& forecasts, qsizetype nRow,
                         const QStringList& currentNames, const QStringList& proposedNames)
{
    using Fate = RenameForecast::Fate;
    if (nRow < 0 || nRow >= forecasts.size())
        return {};
    const RenameForecast& forecast = forecasts[nRow];
    const QString strThis = currentNames.value(nRow);
    const bool bOther = forecast.nOther >= 0 && forecast.nOther < currentNames.size();
    const QString strOther = bOther ? currentNames[forecast.nOther] : QString();
    const QString strOtherRow = QString::number(forecast.nOther + 1);
    switch (forecast.fate) {
    case Fate::Invalid: {
        if (forecast.fault == NameFault::None)
            return DescribeNameProblem(NameProblem::Invalid);
        NameRules rules;
        rules.lengthUnit = forecast.lengthUnit;
        rules.nMaxLength = forecast.nMaxLength;
        return QCoreApplication::translate("NameConflicts",
                                           "This name cannot be used for a file: %1.")
            .arg(DescribeNameFault(forecast.fault, proposedNames.value(nRow), rules));
    }
    case Fate::AfterSame:
        return QCoreApplication::translate(
                   "NameConflicts",
                   "\"%1\" (row %2) is renamed to this name first: renaming \"%3\" will be "
                   "refused.")
            .arg(strOther, strOtherRow, strThis);
    case Fate::HeldLater:
        return QCoreApplication::translate(
                   "NameConflicts",
                   "The file \"%1\" (row %2) is renamed later, so it still has this name when "
                   "this file's turn comes: renaming \"%3\" will be refused.")
            .arg(strOther, strOtherRow, strThis);
    case Fate::HeldKept:
        return QCoreApplication::translate(
                   "NameConflicts",
                   "The file \"%1\" (row %2) keeps this name: renaming \"%3\" will be refused.")
            .arg(strOther, strOtherRow, strThis);
    case Fate::Unlisted:
        return QCoreApplication::translate(
                   "NameConflicts",
                   "A file that is not in the list has this name: renaming \"%1\" will be "
                   "refused.")
            .arg(strThis);
    case Fate::Renamed:
        if (forecast.problem != NameProblem::Duplicate)
            return {};
        if (!bOther)
            return DescribeNameProblem(NameProblem::Duplicate);
        return QCoreApplication::translate(
                   "NameConflicts",
                   "\"%1\" (row %2) is to get the same name: this file is renamed to \"%3\", "
                   "and renaming \"%1\" will be refused.")
            .arg(strOther, strOtherRow, proposedNames.value(nRow));
    }
    return {};
}

QString DescribeNameProblem(NameProblem problem)
{
    switch (problem) {
    case NameProblem::Invalid:
        return QCoreApplication::translate(
            "NameConflicts", "This name cannot be used for a file: it is empty, \".\" or "
                             "\"..\", holds a character the file system refuses, or is "
                             "longer than the file system allows.");
    case NameProblem::Duplicate:
        return QCoreApplication::translate(
            "NameConflicts", "Another file is to get the same name; only one of them can be "
                             "renamed.");
    case NameProblem::Taken:
        return QCoreApplication::translate("NameConflicts",
                                           "Another file still has this name when this file's turn "
                                           "comes; the rename will fail.");
    case NameProblem::None:
        break;
    }
    return {};
}

} // namespace quillet
