// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace quillet::posix
{

// Graphical text editors tried, in this order, when the desktop names no default
// application for text/plain.
QStringList KnownTextEditors();

// Splits the Exec value of a desktop entry into program and arguments by the desktop entry
// quoting rules and puts filePath in place of its file field code (%f %F %u %U), dropping the
// other field codes; filePath is appended when no field code names a file. Empty when the
// value is malformed (an unclosed quote) or names no program.
QStringList ExpandDesktopExec(const QString& exec, const QString& filePath);

// The command (program first) that opens filePath in the user's text editor: the desktop's
// default application for text/plain (`xdg-mime query default text/plain`, its desktop entry's
// Exec), else the first of KnownTextEditors() on the PATH. Never a generic opener such as
// xdg-open, which could run a ".bat" file instead of showing it. Nothing, with the reason in
// *error, when there is no editor.
std::optional<QStringList> TextEditorCommand(const QString& filePath, QString* error);

} // namespace quillet::posix
