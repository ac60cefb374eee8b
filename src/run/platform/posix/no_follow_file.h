// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace quillet::posix
{

// Opens path for writing without following a symbolic link in its last component: a missing
// file is created with mode 0600; an existing entry is used only when it is a regular file of
// the current user that has no other name (link count 1), and it is emptied unless append is
// set. Returns the descriptor (close-on-exec), or -1 with the reason in *error, a phrase
// such as "it is a symbolic link, which Quillet does not write through".
int OpenForWritingNoFollow(const QString& path, bool append, QString* error);

// Writes all of bytes to path in one step: into a new file beside it (created exclusively, so
// never through a link), checked through write, fsync and close, then renamed over path, so
// the entry is replaced and nothing is written through it. A symbolic link or anything but a
// regular file at path is refused and left as it is. On any
// failure path keeps its previous content and the new file is removed. Returns false with the
// reason in *error, a phrase like the one above.
bool ReplaceFileNoFollow(const QString& path, const QByteArray& bytes, QString* error);

// Whether name is a temporary file of ReplaceFileNoFollow for the file named base.
bool IsReplacementOf(const QString& name, const QString& base);

} // namespace quillet::posix
