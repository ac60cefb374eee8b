// SPDX-License-Identifier: GPL-3.0-or-later
#include "cmd_process.h"

#include "cmd_transcript.h"
#include "win32/win32_codepage.h"
#include "win32/win32_held_file.h"
#include "win32/win32_process.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <windows.h>

namespace quillet::windows
{

namespace
{

QString FromOem(const QByteArray& bytes)
{
    if (const std::optional<std::wstring> text = win32::FromOemCodePage(bytes.toStdString()))
        return QString::fromStdWString(*text);
    return QString::fromLatin1(bytes);
}

class WatchedCmd final : public ScriptRun
{
public:
    explicit WatchedCmd(const QByteArray& scriptBytes)
        : ScriptRun(true), m_transcript(scriptBytes, FromOem)
    {
        // cmd's error output joins its output in one pipe, so each error follows the line
        // that caused it.
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.setStandardInputFile(QProcess::nullDevice());
        m_process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* args) {
            args->flags |= CREATE_NO_WINDOW;
            args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
            args->startupInfo->wShowWindow = SW_HIDE;
        });
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, this,
                         [this] { add(m_transcript.feed(m_process.readAllStandardOutput())); });
        QObject::connect(&m_process, &QProcess::finished, this,
                         [this](int code, QProcess::ExitStatus status) { ended(code, status); });
    }

    ~WatchedCmd() override
    {
        // The program is ending: cmd finishes its renames rather than being killed in the
        // middle of them.
        if (m_process.state() != QProcess::NotRunning)
            m_process.waitForFinished(-1);
    }

    bool start(const QString& scriptPath, const QByteArray& scriptBytes, QString* error)
    {
        const QString native = QDir::toNativeSeparators(scriptPath);
        std::wstring reason;
        if (!m_script.Hold(native.toStdWString(), scriptBytes.toStdString(), &reason)) {
            *error = QCoreApplication::translate("Platform", "The script \"%1\" was not run: %2.")
                         .arg(native, QString::fromStdWString(reason));
            return false;
        }
        const std::wstring cmd = win32::SystemProgramPath(L"cmd.exe");
        if (cmd.empty()) {
            *error =
                QCoreApplication::translate("Platform", "The command interpreter cannot be found.");
            return false;
        }
        m_process.setProgram(QString::fromStdWString(cmd));
        // /d: no AutoRun commands of the registry run first. The prompt is set by a command
        // rather than in the environment, which Wine's cmd does not read it from; the script
        // then runs in the same cmd. cmd takes the outer quotes off the string after /c; the
        // inner ones hold a path with blanks together.
        m_process.setNativeArguments(QStringLiteral("/d /c \"prompt ") +
                                     QLatin1String(kMarkingPrompt) + QStringLiteral("& \"") +
                                     native + QStringLiteral("\"\""));
        const QString folder = m_transcript.scriptFolder();
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            m_transcript.setNamesAtStart(QDir(folder).entryList(
                QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
        m_process.start(QIODevice::ReadOnly);
        if (!m_process.waitForStarted()) {
            *error = QCoreApplication::translate(
                         "Platform", "The command interpreter \"%1\" could not be started: %2")
                         .arg(m_process.program(), m_process.errorString());
            return false;
        }
        return true;
    }

private:
    void add(const QList<ScriptLineResult>& results)
    {
        for (const ScriptLineResult& result : results)
            addResult(result);
    }

    void ended(int code, QProcess::ExitStatus status)
    {
        add(m_transcript.feed(m_process.readAllStandardOutput()));
        add(m_transcript.end());
        m_script.Release();
        QString text = m_transcript.trouble();
        // cmd's exit code is the error level of the last line it ran, which says nothing the
        // transcript has not said already.
        Q_UNUSED(code);
        const bool ranToEnd = status == QProcess::NormalExit && text.isEmpty();
        if (status != QProcess::NormalExit)
            text =
                QCoreApplication::translate(
                    "Platform", "The command interpreter stopped before the end of the script.") +
                (text.isEmpty() ? QString() : QLatin1Char('\n') + text);
        finish(ranToEnd, text);
    }

    QProcess m_process;
    CmdTranscript m_transcript;
    win32::HeldFile m_script;
};

} // namespace

std::unique_ptr<ScriptRun> StartWatchedCmd(const QString& scriptPath, const QByteArray& scriptBytes,
                                           QString* error)
{
    auto run = std::make_unique<WatchedCmd>(scriptBytes);
    if (!run->start(scriptPath, scriptBytes, error))
        return nullptr;
    return run;
}

} // namespace quillet::windows
