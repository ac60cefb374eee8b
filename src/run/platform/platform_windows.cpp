// SPDX-License-Identifier: GPL-3.0-or-later
// The platform layer on Windows: a thin adapter from the Qt side to the Win32 functions of
// win32/, which hold the work and are tested on their own.
#include "platform.h"

#include "win32/win32_codepage.h"
#include "win32/win32_file.h"
#include "win32/win32_process.h"
#include "win32/win32_rename.h"
#include "windows/cmd_process.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace quillet
{

namespace
{

// The Shell method's script folder, and the editor the "&Batch File" button opens.
constexpr wchar_t kScriptFolder[] = L"c:\\";
constexpr wchar_t kTextEditor[] = L"notepad.exe";

// A path as one argument of a command line: quoted only when it holds a blank, so that the
// usual paths read exactly "c:\rename.bat" and "notepad.exe rename.bat".
std::wstring Argument(const QString& path)
{
    const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
    return native.find(L' ') == std::wstring::npos ? native : L"\"" + native + L"\"";
}

bool Start(const std::wstring& commandLine, win32::ShowStyle style, QString* error)
{
    std::wstring reason;
    if (win32::StartCommandLine(commandLine, style, &reason))
        return true;
    if (error)
        *error = QString::fromStdWString(reason);
    return false;
}

class WindowsPlatform final : public Platform
{
public:
    QChar separator() const override { return QLatin1Char('\\'); }

    std::optional<QByteArray> encodeScriptText(const QString& text) const override
    {
        const std::optional<std::string> bytes = win32::ToOemCodePage(text.toStdWString());
        if (!bytes)
            return std::nullopt;
        return QByteArray(bytes->data(), qsizetype(bytes->size()));
    }

    std::optional<QString> scriptFolder(QString*) const override
    {
        return QString::fromWCharArray(kScriptFolder);
    }

    std::optional<QString> fallbackScriptFolder(QString* error) const override
    {
        // On Windows the first generic data location is the local application data folder.
        const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (base.isEmpty()) {
            if (error)
                *error = QCoreApplication::translate(
                    "Platform", "The local application data folder is unknown.");
            return std::nullopt;
        }
        const QString folder = base + QStringLiteral("/Quillet");
        if (!QDir().mkpath(folder)) {
            if (error)
                *error = QCoreApplication::translate("Platform", "The folder %1 cannot be created.")
                             .arg(QDir::toNativeSeparators(folder));
            return std::nullopt;
        }
        return QDir::toNativeSeparators(folder) + QLatin1Char('\\');
    }

    // cmd.exe finds the folder again by its path: the identity is not checked there.
    std::unique_ptr<ScriptRun> startScript(const QString& scriptPath, const QByteArray& scriptBytes,
                                           const QByteArray&, QString* error) override
    {
        return windows::StartWatchedCmd(scriptPath, scriptBytes, error);
    }

    bool openInTextEditor(const QString& filePath, QString* error) override
    {
        return Start(std::wstring(kTextEditor) + L" " + Argument(filePath),
                     win32::ShowStyle::NormalWithFocus, error);
    }

    RenameResult renameInFolder(const QString& folder, const QString& from,
                                const QString& to) override
    {
        const win32::ShellRenameResult result = win32::ShellRenameInFolder(
            folder.toStdWString(), from.toStdWString(), to.toStdWString());
        return RenameResult::answer(result.ok, QString::fromStdWString(result.error));
    }
};

} // namespace

bool ReplaceFileSafely(const QString& path, const QByteArray& bytes, QString* error)
{
    std::wstring reason;
    const bool ok = win32::ReplaceFileNoReparse(QDir::toNativeSeparators(path).toStdWString(),
                                                bytes.toStdString(), &reason);
    if (!ok && error)
        *error = QString::fromStdWString(reason);
    return ok;
}

std::unique_ptr<Platform> CreatePlatform()
{
    return std::make_unique<WindowsPlatform>();
}

} // namespace quillet
