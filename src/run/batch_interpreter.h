#pragma once

#include "platform/script_report.h"

#include <QString>
#include <functional>

namespace quillet
{

class Platform;

// What one run of a script did.
struct BatchRunSummary {
    int renamed = 0;     // rename lines that renamed their file
    int failedLines = 0; // lines that failed or were not understood
};

// Runs the text of a rename script the way the Windows command interpreter runs the lines
// the script writer produces, for systems without one:
// - `cd <folder>`, quoted or not, changes the folder the renames act in (relative to the
//   current one). When the folder does not exist, every rename up to the next good `cd` is
//   refused, so that no rename runs in a folder it was not written for.
// - A drive line, "X:" or the first two characters of the last cd's folder (what the writer
//   puts there when folders have no drive letter), is accepted and ignored.
// - `rename "old" "new"` (or `ren`, names quoted or not) renames through
//   Platform::renameInFolder: it never replaces a file, and a name with a folder part is
//   refused. Names are taken literally: * and ? are no wildcards.
// - `%%` stands for one `%`; a single `%` would name a variable, which this interpreter does not
//   know, so its line is refused rather than run with a changed name.
// - Blank lines, `rem` and `::` comment lines do nothing; any other line is reported and
//   skipped. Each failed line is reported and the run goes on with the next one.
// Lines end in CR LF or LF. Every report (one line of text, naming the script line) goes to
// reportError. When given, onResult hears of every rename line (renamed or failed) and of every
// other line that failed, in script order.
BatchRunSummary RunBatchScript(const QString& scriptText, const QString& startFolder,
                               Platform& platform,
                               const std::function<void(const QString&)>& reportError,
                               const std::function<void(const ScriptLineResult&)>& onResult = {});

} // namespace quillet
