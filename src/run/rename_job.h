// SPDX-License-Identifier: GPL-3.0-or-later
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
    // Platform::folderIdentity of the folder when it was listed; empty when unknown. A run
    // refuses to rename in a folder whose path now leads to another folder.
    QByteArray folderIdentity = {};
};

// Whether the folder of job is still the folder that was listed (true when that is unknown).
// When not, *error says so, naming the folder.
class Platform;
bool SameFolderAsListed(const RenameJob& job, const Platform& platform, QString* error);

} // namespace quillet
