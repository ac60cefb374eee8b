// SPDX-License-Identifier: GPL-3.0-or-later
// The platform layer on POSIX systems: the script runs in our own interpreter quillet-batch,
// renames go through the no-replace rename of posix/safe_rename, the script folder is a
// private folder in the user's cache folder.
#include "platform.h"

#include "posix/folder_run_lock.h"
#include "posix/no_follow_file.h"
#include "posix/open_folder.h"
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
                                           const QByteArray& folderIdentity,
                                           QString* error) override
    {
        return startJournaledScript(scriptPath, scriptBytes, folderIdentity, QString(), 0, error);
    }

    std::unique_ptr<ScriptRun> startJournaledScript(const QString& scriptPath,
                                                    const QByteArray& scriptBytes,
                                                    const QByteArray& folderIdentity,
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
        // The interpreter reads the bytes just written from its standard input: the file
        // opened and checked here, not its path, which another user could make lead to
        // another file in between. What it says goes to a log beside the script, for the user
        // to read.
        const QString folder = QFileInfo(scriptPath).absolutePath();
        QString reason;
        // Options only the program passes: the listed folder's identity, which the cd must
        // find, and the journal the interpreter keeps.
        QStringList options;
        if (!folderIdentity.isEmpty())
            options << QStringLiteral("--folder-identity") << QString::fromLatin1(folderIdentity);
        if (!journalPath.isEmpty())
            options << QStringLiteral("--journal") << journalPath << QStringLiteral("--pairs")
                    << QString::number(pairs);
        std::unique_ptr<ScriptRun> run =
            posix::StartWatchedScript(interpreter, folder, scriptPath, scriptBytes,
                                      folder + QStringLiteral("/rename.log"), &reason, options);
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

    RenameResult renameInFolder(const QString& folder, const QString& from,
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
        const std::lock_guard<std::mutex> lock(m_rulesMutex);
        if (m_rulesFolder.isNull() || folder != m_rulesFolder || device != m_rulesDevice) {
            m_rules = FileSystemRules(folder);
            m_rulesFolder = folder;
            m_rulesDevice = device;
        }
        return m_rules;
    }

    std::mutex m_rulesMutex;
    QString m_rulesFolder;
    dev_t m_rulesDevice = 0;
    NameRules m_rules;

public:
    std::optional<QByteArray> folderIdentity(const QString& path) const override
    {
        struct stat st;
        if (::stat(EncodeFileName(path).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
            return std::nullopt;
        return posix::FolderIdentityOf(st);
    }

    std::optional<QByteArray> fileIdentity(const QString& folder,
                                           const QString& name) const override
    {
        return posix::FileIdentityAt(AT_FDCWD, EncodeFileName(folder + name));
    }

    std::unique_ptr<RunFolder> openRunFolder(const QString& folder,
                                             const QByteArray& expectedIdentity,
                                             QString* error) override
    {
        std::unique_ptr<RunFolder> held =
            posix::OpenRunFolder(folder, expectedIdentity, RulesOf(folder), error);
        // A folder that cannot be opened and was not checked: its renames fail one by one,
        // each with its reason, as by the path.
        if (!held && expectedIdentity.isEmpty())
            return Platform::openRunFolder(folder, expectedIdentity, error);
        return held;
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
