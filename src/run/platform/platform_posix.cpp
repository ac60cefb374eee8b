// The platform layer on POSIX systems: the script runs in our own interpreter quillet-batch,
// renames go through the no-replace rename of posix/safe_rename, the script folder is a
// private folder in the user's cache folder.
#include "platform.h"

#include "posix/private_folder.h"
#include "posix/safe_rename.h"
#include "posix/text_editor.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStringEncoder>

namespace quillet
{

namespace
{

// The name of the script interpreter, installed beside the program.
constexpr char kInterpreterName[] = "quillet-batch";

bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

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

    bool startScript(const QString& scriptPath, QString* error) override
    {
        if (!QCoreApplication::instance())
            return Fail(error, QCoreApplication::translate(
                                   "Platform", "The script interpreter cannot be found."));
        const QString interpreter =
            QCoreApplication::applicationDirPath() + QLatin1Char('/') + kInterpreterName;
        if (!QFileInfo(interpreter).isExecutable())
            return Fail(error, QCoreApplication::translate(
                                   "Platform", "The script interpreter \"%1\" cannot be found or "
                                               "is not executable.")
                                   .arg(interpreter));
        const QFileInfo script(scriptPath);
        // What the interpreter reports goes to a log beside the script, for the user to read.
        const QString log = script.absolutePath() + QStringLiteral("/rename.log");
        QProcess process;
        process.setProgram(interpreter);
        process.setArguments({script.absoluteFilePath()});
        process.setWorkingDirectory(script.absolutePath());
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardOutputFile(log);
        process.setStandardErrorFile(log, QIODevice::Append);
        if (!process.startDetached())
            return Fail(error, QCoreApplication::translate(
                                   "Platform", "The script interpreter \"%1\" could not be "
                                               "started: %2")
                                   .arg(interpreter, process.errorString()));
        return true;
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

    RenameOutcome renameInFolder(const QString& folder, const QString& from,
                                 const QString& to) override
    {
        return posix::SafeRenameInFolder(folder, from, to);
    }
};

} // namespace

std::unique_ptr<Platform> CreatePlatform()
{
    return std::make_unique<PosixPlatform>();
}

} // namespace quillet
