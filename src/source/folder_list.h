// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "source/folder_reader.h"

#include <QList>
#include <QString>

namespace quillet
{

// One line of the folder list: the text shown and the full path it opens.
struct FolderEntry {
    QString name;
    QString path;
    bool operator==(const FolderEntry& other) const
    {
        return name == other.name && path == other.path;
    }
};

// A folder path made absolute and clean: "/" separators, no "." or ".." parts, no
// trailing separator except on a root ("/", "c:/", "//server/share/").
QString NormalizeFolderPath(const QString& strPath);

// The root a normalized path starts with: "/" on POSIX, "c:/" for a drive letter,
// "//server/share/" for a network share; empty for a relative path.
QString RootOf(const QString& strPath);

// The folders from the root down to strPath, root first and strPath last. The root's
// name is the root itself, every other name is the folder's own name.
QList<FolderEntry> FolderChain(const QString& strPath);

// The folder list as data, as a classic folder view shows it: the chain of folders from
// the root down to the current folder, then the current folder's subfolders sorted by name
// without regard to case (hidden folders and names that cannot be represented left out).
// Entries() is that whole view; opening any entry makes its folder current.
class FolderList
{
public:
    // Makes strPath (normalized) current and reads its subfolders. When the folder cannot
    // be read it is current all the same with no subfolders, false is returned and
    // *strError (if given) says which folder and why.
    bool SetPath(const QString& strPath, QString* strError = nullptr);
    // As SetPath, with the folder already read; contents.path is normalized here.
    bool Assign(FolderContents contents);
    // Opens entry nIndex of Entries(); false for an index out of range or a read error.
    bool Open(qsizetype nIndex, QString* strError = nullptr);

    QString Path() const { return m_strPath; }
    const QList<FolderEntry>& Chain() const { return m_chain; }
    const QList<FolderEntry>& Subfolders() const { return m_subfolders; }
    QList<FolderEntry> Entries() const { return m_chain + m_subfolders; }
    // Index in Entries() of the current folder (the last of the chain).
    qsizetype CurrentIndex() const { return m_chain.size() - 1; }
    QString Error() const { return m_strError; }

private:
    QString m_strPath;
    QList<FolderEntry> m_chain;
    QList<FolderEntry> m_subfolders;
    QString m_strError;
};

} // namespace quillet
