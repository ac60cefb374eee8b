#pragma once

#include "run_outcome.h"

#include <QList>

namespace quillet
{

class Platform;
class RunReporter;

// Notes which file each rename left under its new name, so that the undo renames back only
// that file.
void NoteIdentities(QList<DoneRename>& done, const Platform& platform);

// The caption of the undo entry: "Undo Last Rename (128 files)", or "Undo Last Rename" when
// there is nothing to undo.
QString UndoCaption(qsizetype count);

// Takes back the renames `done` of the last run: first a question box saying how many files
// get their old names back; on "Yes", in reverse order, each file `to` is renamed back to
// `from` through Platform::renameInFolder (never replacing a file). A file that is no longer
// where the run left it (gone, or another file under its name), or whose old name is taken,
// is skipped. A closing box says how many
// were restored; its details list the skipped ones and why. Returns the renames still not
// taken back: the skipped ones, or all of them when the user said "No".
QList<DoneRename> UndoRenames(const QList<DoneRename>& done, Platform& platform,
                              RunReporter& reporter);

} // namespace quillet
