// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quillet
{

// What the enabled state of the window's controls follows from, as plain values.
struct ControlInputs {
    qsizetype nFiles = 0;      // the files listed
    bool bUseTemplate = false; // Check1
    QString strTemplate;       // Text4
    int nCaseMode = -1;        // cboFileNameCase; -1 nothing chosen yet
    bool bJustTicked = false;  // Check1 was ticked just now
};

// Which controls are enabled: the settings (frames, boxes, their labels, "&Update"), "&Ok"
// and "&Batch File".
struct EnabledControls {
    bool bSettings = false;
    bool bOk = false;
    bool bBatchFile = false;
    bool operator==(const EnabledControls& other) const
    {
        return bSettings == other.bSettings && bOk == other.bOk && bBatchFile == other.bBatchFile;
    }
};

// The rules of the window's enabled state, without a window:
// - an empty list disables everything;
// - with the template box ticked, "&Ok" and "&Batch File" need a "#" or "*" in the template,
//   and the tick itself leaves "&Ok" off until the template changes;
// - without it, "No change" chosen from the case list leaves nothing to rename ("&Ok" off),
//   while nothing chosen yet does not; "&Batch File" stays on.
EnabledControls EnabledFor(const ControlInputs& inputs);

} // namespace quillet
