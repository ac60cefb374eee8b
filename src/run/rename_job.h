#pragma once

#include <QString>
#include <QStringList>

namespace quillet
{

// The files of one rename run, as plain values read from the window at the moment of the run.
// Pair i is currentNames[i] -> proposedNames[i]; the number of pairs is the number of
// proposed names.
struct RenameJob {
    QString folderPath;        // the folder that holds the listed files
    QStringList currentNames;  // the "Old Name" column: bare names, no folder part
    QStringList proposedNames; // the "New Name" column, paired with currentNames by index
};

} // namespace quillet
