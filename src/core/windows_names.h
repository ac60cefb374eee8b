#pragma once

#include <QStringView>

namespace quillet
{

// Whether Windows would store a file of this name under another name or take it for a
// device: a name ending in a dot or a space (both are dropped), or a reserved device name
// (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, and COM/LPT with a superscript 1 to 3),
// in any case, alone or followed by an extension ("nul.txt", "Com1 .log").
bool WindowsChangesName(QStringView name);

} // namespace quillet
