#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quillet
{

// Why a proposed name will fail or surprise when the files are renamed in list order.
enum class NameProblem : quint8 {
    None,
    Invalid,   // empty, ".", "..", a separator or a character the platform refuses, too long
    Duplicate, // the same proposal for two or more files
    Taken,     // still borne by another file when this file's turn comes
};

struct NameCheckRules {
    bool bIgnoreCase = false;   // the folder's file system compares names without case
    bool bWindowsNames = false; // refuse the characters Windows refuses, and "\"
};

// The rules of the platform the program was built for, for a folder that does or does
// not ignore case.
NameCheckRules PlatformNameRules(bool bFolderIgnoresCase);

// Checks every proposal against the others and the folder's files, in linear time.
// currentNames[i] is renamed to proposedNames[i], in list order. folderFiles are all the
// files of the folder, listed or not; those not in currentNames are never renamed and so
// keep their names. A proposal equal to its own current name (or, where case is ignored,
// differing from it only in case) is no problem.
QList<NameProblem> CheckProposedNames(const QStringList& currentNames,
                                      const QStringList& proposedNames,
                                      const QStringList& folderFiles, const NameCheckRules& rules);

// Text for the tooltip of a marked name.
QString DescribeNameProblem(NameProblem problem);

} // namespace quillet
