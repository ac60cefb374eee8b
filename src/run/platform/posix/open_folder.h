// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../run_folder.h"

#include "names/name_rules.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

struct stat;

namespace quillet::posix
{

// The identity of a folder (Platform::folderIdentity): device and inode number.
QByteArray FolderIdentityOf(const struct stat& st);

// Whether a file identity of FileIdentityAt holds the file's birth time, which a rename keeps
// (else it holds the time of the last change, which a rename moves on).
bool IdentityHasBirthTime(const QByteArray& identity);

// Platform::fileIdentity of the file `name` of the folder held by the descriptor `dir` (or of
// a path relative to the current folder with AT_FDCWD), never following a link.
std::optional<QByteArray> FileIdentityAt(int dir, const QByteArray& name);

// Opens `folder` once, following links as the listing did, and holds it: its renames
// (SafeRenameAt with `rules`) and identities act in that folder whatever its path leads to
// later. Nothing when the folder cannot be opened; then *error says why only when
// expectedIdentity was given (the folder is not the one listed), and is left alone otherwise.
std::unique_ptr<RunFolder> OpenRunFolder(const QString& folder, const QByteArray& expectedIdentity,
                                         const NameRules& rules, QString* error);

} // namespace quillet::posix
