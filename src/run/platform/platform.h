// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rename_result.h"
#include "run_folder.h"
#include "script_run.h"

#include <QByteArray>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace quillet
{

// Held by a run for as long as it renames in one folder; destroying it lets another run in.
class FolderRunLock
{
public:
    virtual ~FolderRunLock() = default;
};

// Everything the rename subsystem needs from the operating system. One implementation per
// platform (POSIX, Win32), chosen at build time; tests substitute their own.
class Platform
{
public:
    virtual ~Platform() = default;

    // The folder separator that ends the folder text in the script and in full paths:
    // "\\" on Windows, "/" on POSIX.
    virtual QChar separator() const = 0;

    // Converts the script's text to the bytes the command interpreter reads (the OEM code
    // page on Windows, UTF-8 on POSIX). Returns nothing when a character cannot be written
    // in that encoding.
    virtual std::optional<QByteArray> encodeScriptText(const QString& text) const = 0;

    // The fixed folder the Shell method writes its script to, ending in separator()
    // ("c:\\" on Windows; a private per-user folder on POSIX). Creates it when missing;
    // returns nothing, with the reason in *error, when it cannot.
    virtual std::optional<QString> scriptFolder(QString* error) const = 0;

    // Where the Shell method writes its script when scriptFolder() refuses the file: on
    // Windows the user's own local application data folder, in its subfolder Quillet, since a
    // standard user may not create files in the root of c:. Ends in separator(); created
    // when missing. Nothing, with the reason in *error, when there is no such folder.
    virtual std::optional<QString> fallbackScriptFolder(QString* error) const
    {
        Q_UNUSED(error);
        return std::nullopt;
    }

    // Starts the script just written to scriptPath, whose bytes are scriptBytes, in the
    // command interpreter with a hidden window, without waiting. The run reports to the
    // returned object, which the caller owns; ending the program lets the interpreter finish.
    // Returns nothing, with the reason in *error, when nothing started (for example while
    // a run started earlier still holds the script folder). folderIdentity is the
    // folderIdentity() of the listed folder the script renames in (empty when unknown): an
    // interpreter that can check it refuses the script's cd to any other folder.
    virtual std::unique_ptr<ScriptRun> startScript(const QString& scriptPath,
                                                   const QByteArray& scriptBytes,
                                                   const QByteArray& folderIdentity,
                                                   QString* error) = 0;

    // startScript for a run that keeps a journal (RunJournal) at journalPath of its `pairs`
    // pairs: the interpreter writes it as it renames, and holds it while it runs, also when
    // the program has ended meanwhile. By default the script runs without a journal.
    virtual std::unique_ptr<ScriptRun> startJournaledScript(const QString& scriptPath,
                                                            const QByteArray& scriptBytes,
                                                            const QByteArray& folderIdentity,
                                                            const QString& journalPath,
                                                            qsizetype pairs, QString* error)
    {
        (void)journalPath;
        (void)pairs;
        return startScript(scriptPath, scriptBytes, folderIdentity, error);
    }

    // Opens the text file at filePath in the user's text editor, without waiting.
    virtual bool openInTextEditor(const QString& filePath, QString* error) = 0;

    // Whether path names an existing folder (the script interpreter asks before each change
    // of folder).
    virtual bool isFolder(const QString& path) const { return QFileInfo(path).isDir(); }

    // Renames the file `from` of `folder` to `to` in the same folder. Never replaces an
    // existing file, never moves the file out of its folder; a change of case alone works
    // on a file system that ignores case. `folder` ends in separator().
    virtual RenameResult renameInFolder(const QString& folder, const QString& from,
                                        const QString& to) = 0;

    // What tells the folder at path from every other folder (device and inode number on
    // POSIX), following links: a run compares it with that of the folder it listed, so that
    // a folder moved away and replaced (by another folder or a link) is never renamed in.
    // Nothing when there is no such folder or the platform cannot tell.
    virtual std::optional<QByteArray> folderIdentity(const QString& path) const
    {
        (void)path;
        return std::nullopt;
    }

    // Opens `folder` (ending in separator()) for a run that renames in it from start to end.
    // When expectedIdentity is not empty, the folder must be the one of that folderIdentity():
    // when it is not (moved, or replaced by another folder or a link), nothing is returned
    // and *error says so, naming the folder. Where the platform can hold the folder itself
    // (a descriptor on POSIX), every rename of the returned object acts in the folder that
    // was opened, wherever its path leads later. By default the object renames by the path
    // through renameInFolder() and fileIdentity().
    virtual std::unique_ptr<RunFolder>
    openRunFolder(const QString& folder, const QByteArray& expectedIdentity, QString* error);

    // Lets one run at a time rename in `folder`, across the windows of the program and the
    // script interpreter: the returned lock is held until destroyed. Nothing, with the reason
    // (naming the folder) in *error, while another run holds the folder. By default every
    // run is let in.
    virtual std::unique_ptr<FolderRunLock> lockFolderForRun(const QString& folder, QString* error)
    {
        (void)folder;
        (void)error;
        return std::make_unique<FolderRunLock>();
    }

    // What tells the file `name` of `folder` from every other file of the file system, also
    // from a file made later under the same name (on POSIX device, inode number and birth
    // time, or where there is no birth time the inode's change time, which a rename changes:
    // take it after the rename), so that a later step can make sure it acts on the same file.
    // Nothing when there is no such file or the platform cannot tell.
    virtual std::optional<QByteArray> fileIdentity(const QString& folder, const QString& name) const
    {
        (void)folder;
        (void)name;
        return std::nullopt;
    }
};

// Writes bytes to path, replacing an earlier file in one step, and never through a link (a
// symbolic link on POSIX, a reparse point on Windows): a link, or anything but a plain file,
// in place of path is refused and left as it is. Every write is checked through to the end;
// on a failure the earlier file stays as it was. Returns false with the reason, a phrase
// ("it is a symbolic link, ..."), in *error.
bool ReplaceFileSafely(const QString& path, const QByteArray& bytes, QString* error);

// The platform of the machine the program was built for.
std::unique_ptr<Platform> CreatePlatform();

} // namespace quillet
