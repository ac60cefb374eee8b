// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "source/folder_reader.h"

#include <QString>
#include <QStringList>

namespace quillet
{

// The file list as data: a folder (Path), a pattern (Pattern) and the names of the
// folder's files that match the pattern (items), sorted by name without regard to case.
//
// Patterns: "*.*" selects every file, names without a dot included. "*." followed by an
// extension selects the names that end in a dot and that extension, ignoring case; the
// extension is taken literally. Any other pattern is a wildcard pattern ("*" any run of
// characters, "?" one character) matched against the whole name, ignoring case.
//
// The folder is read once per SetPath; SetPattern selects from what was read, without
// reading the folder again. Names that cannot be represented as text are never listed
// (see FolderContents::nUnrepresentable; none on POSIX); UnrepresentableCount tells how many
// there were.
class FileList
{
public:
    static QString AllFilesPattern() { return QStringLiteral("*.*"); }

    // Reads strPath afresh, sorts its files and selects them by the current pattern.
    // The pattern is kept. When the folder cannot be read the list is empty, the path is
    // set all the same, false is returned and *strError (if given) says which folder and
    // why; Error() keeps that text until the next read.
    bool SetPath(const QString& strPath, QString* strError = nullptr);

    // As SetPath, with the folder already read (the window reads a folder once for the
    // folder list and the file list). Returns false when contents.error is set.
    bool Assign(FolderContents contents);

    // Selects the items of the folder already read by the new pattern.
    void SetPattern(const QString& strPattern);

    QString Path() const { return m_strPath; }
    QString Pattern() const { return m_strPattern; }
    const QStringList& Items() const { return m_items; }
    qsizetype Count() const { return m_items.size(); }
    QString Item(qsizetype nIndex) const { return m_items.value(nIndex); }

    // Every file of the folder, sorted, whatever the pattern.
    const QStringList& AllFiles() const { return m_allFiles; }
    qsizetype UnrepresentableCount() const { return m_nUnrepresentable; }
    QString Error() const { return m_strError; }

private:
    void Select();

    QString m_strPath;
    QString m_strPattern = AllFilesPattern();
    QStringList m_allFiles;
    QStringList m_items;
    qsizetype m_nUnrepresentable = 0;
    QString m_strError;
};

// Whether strName is selected by strPattern, with the rules of FileList.
bool MatchesPattern(const QString& strName, const QString& strPattern);

} // namespace quillet
