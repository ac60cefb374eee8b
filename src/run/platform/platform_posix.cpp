// SPDX-License-Identifier: GPL-3.0-or-later
// The platform layer on POSIX systems: the script runs in our own interpreter quillet-batch,
// renames go through the no-replace rename of posix/safe_rename, the script folder is a
// private folder in the user's cache folder.
#include "platform.h"

#include "posix/folder_run_lock.h"
#include "posix/no_follow_file.h"
#include "posix/private_folder.h"
#include "posix/safe_rename.h"
#include "posix/script_process.h"
#include "posix/text_editor.h"
#include "run/platform/fail.h"

#include "names/file_name_bytes.h"
#include "names/folder_rules.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStringEncoder>

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace quillet
{

namespace
{

// The name of the script interpreter, installed beside the program.
constexpr char kInterpreterName[] = "quillet-batch";

class PosixPlatform final : public Platform
{
public:
    QChar separator() const override { return QLatin1Char('/'); }

    std::optional<QByteArray> encodeScriptText(const QString& text) const override
    {
        QStringEncoder encoder(QStringEncoder::Utf8);
        QByteArray bytes = encoder.encode(text);
        if (encoder.hasError())
            return std::nullopt; // an unpaired surrogate: no UTF-8 for it
        return bytes;
    }

    std::optional<QString> scriptFolder(QString* error) const override
    {
        return posix::EnsurePrivateFolder(posix::DefaultScriptFolder(), error);
    }

    std::unique_ptr<ScriptRun> startScript(const QString& scriptPath, const QByteArray& scriptBytes,
                                           QString* error) override
    {
        return startJournaledScript(scriptPath, scriptBytes, QString(), 0, error);
    }

    std::unique_ptr<ScriptRun> startJournaledScript(const QString& scriptPath,
                                                    const QByteArray& scriptBytes,
                                                    const QString& journalPath, qsizetype pairs,
                                                    QString* error) override
    {
        if (!QCoreApplication::instance()) {
            Fail(error, QCoreApplication::translate("Platform",
                                                    "The script interpreter cannot be found."));
            return nullptr;
        }
        const QString interpreter =
            QCoreApplication::applicationDirPath() + QLatin1Char('/') + kInterpreterName;
        if (!QFileInfo(interpreter).isExecutable()) {
            Fail(error, QCoreApplication::translate(
                            "Platform", "The script interpreter \"%1\" cannot be found or is not "
                                        "executable.")
                            .arg(interpreter));
            return nullptr;
        }
        // The interpreter reads the bytes just written from its standard input, not the file,
        // which another user could replace in between. What it says goes to a log beside
        // the script, for the user to read.
        const QString folder = QFileInfo(scriptPath).absolutePath();
        QString reason;
        std::unique_ptr<ScriptRun> run = posix::StartWatchedScript(
            interpreter, folder, scriptBytes, folder + QStringLiteral("/rename.log"), &reason,
            journalPath.isEmpty() ? QStringList()
                                  : QStringList{QStringLiteral("--journal"), journalPath,
                                                QStringLiteral("--pairs"), QString::number(pairs)});
        if (!run)
            Fail(error, reason);
        return run;
    }

    bool openInTextEditor(const QString& filePath, QString* error) override
    {
        const QFileInfo file(filePath);
        const std::optional<QStringList> command =
            posix::TextEditorCommand(file.absoluteFilePath(), error);
        if (!command)
            return false;
        QProcess process;
        process.setProgram(command->first());
        process.setArguments(command->mid(1));
        process.setWorkingDirectory(file.absolutePath());
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        if (!process.startDetached())
            return Fail(error, QCoreApplication::translate(
                                   "Platform", "The text editor \"%1\" could not be started: %2")
                                   .arg(command->first(), process.errorString()));
        return true;
    }

    bool isFolder(const QString& path) const override { return IsExistingFolder(path); }

    RenameOutcome renameInFolder(const QString& folder, const QString& from,
                                 const QString& to) override
    {
        return posix::SafeRenameInFolder(folder, from, to, RulesOf(folder));
    }

    std::unique_ptr<FolderRunLock> lockFolderForRun(const QString& folder, QString* error) override
    {
        return posix::LockFolderForRun(posix::DefaultLockFolder(), folder, error);
    }

private:
    // The name rules of the folder's file system, read once per folder and device: a run
    // renames many files of one folder, and reading the mount table for each would cost more
    // than the rename; another volume mounted on the same folder is read afresh.
    NameRules RulesOf(const QString& folder)
    {
        struct stat st;
        const dev_t device =
            ::stat(EncodeFileName(folder).constData(), &st) == 0 ? st.st_dev : dev_t(0);
        const std::lock_guard<std::mutex> lock(rulesMutex_);
        if (rulesFolder_.isNull() || folder != rulesFolder_ || device != rulesDevice_) {
            rules_ = FileSystemRules(folder);
            rulesFolder_ = folder;
            rulesDevice_ = device;
        }
        return rules_;
    }

    std::mutex rulesMutex_;
    QString rulesFolder_;
    dev_t rulesDevice_ = 0;
    NameRules rules_;

public:
    std::optional<QByteArray> folderIdentity(const QString& path) const override
    {
        struct stat st;
        if (::stat(EncodeFileName(path).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
            return std::nullopt;
        return QByteArray::number(quint64(st.st_dev)) + ':' +
               QByteArray::number(quint64(st.st_ino));
    }

    // Device and inode, and the time the file was made: a file removed and made anew under
    // the same name may well get the same inode number back (ext4 hands out a freed inode
    // again at once), never the same birth time. Where the file system keeps no birth time
    // (statx without STATX_BTIME, or no statx), the time of the inode's last change stands
    // in for it; a rename changes that time, so the identity is taken after the rename, and
    // a file written to or given other rights since is then no longer taken for the same.
    std::optional<QByteArray> fileIdentity(const QString& folder,
                                           const QString& name) const override
    {
        const QByteArray path = EncodeFileName(folder + name);
#if defined(STATX_BTIME)
        struct statx stx;
        if (statx(AT_FDCWD, path.constData(), AT_SYMLINK_NOFOLLOW,
                  STATX_INO | STATX_BTIME | STATX_CTIME, &stx) == 0) {
            const bool born = (stx.stx_mask & STATX_BTIME) != 0;
            const statx_timestamp& time = born ? stx.stx_btime : stx.stx_ctime;
            return QByteArray::number(quint64(makedev(stx.stx_dev_major, stx.stx_dev_minor))) +
                   ':' + QByteArray::number(quint64(stx.stx_ino)) + (born ? ":b" : ":c") +
                   QByteArray::number(qint64(time.tv_sec)) + '.' +
                   QByteArray::number(quint32(time.tv_nsec));
        }
        if (errno != ENOSYS)
            return std::nullopt;
#endif
        struct stat st;
        if (lstat(path.constData(), &st) != 0)
            return std::nullopt;
        return QByteArray::number(quint64(st.st_dev)) + ':' +
               QByteArray::number(quint64(st.st_ino)) + ":c" +
               QByteArray::number(qint64(st.st_ctim.tv_sec)) + '.' +
               QByteArray::number(quint32(st.st_ctim.tv_nsec));
    }
};

} // namespace

bool ReplaceFileSafely(const QString& path, const QByteArray& bytes, QString* error)
{
    return posix::ReplaceFileNoFollow(path, bytes, error);
}

std::unique_ptr<Platform> CreatePlatform()
{
    return std::make_unique<PosixPlatform>();
}

} // namespace quillet
