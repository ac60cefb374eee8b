#pragma once

// A Form1 on a temporary folder, with message boxes, drives and the platform replaced.

#include "run/platform/platform.h"
#include "source/drives.h"
#include "ui/form1.h"
#include "ui/message_service.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace quillet::test
{

struct ShownMessage : MessageRequest {
};

class RecordingMessages : public MessageService
{
public:
    using MessageService::show;
    MessageReply show(QWidget*, const MessageRequest& request) override
    {
        shown.append({request});
        if (onShow)
            onShow();
        return reply ? reply(request) : MessageReply();
    }
    QList<ShownMessage> shown;
    std::function<void()> onShow;                             // runs while the "box" is open
    std::function<MessageReply(const MessageRequest&)> reply; // how the "user" closes it
};

class FakeDrives : public DriveProvider
{
public:
    QList<Drive> Drives() const override { return drives; }
    bool IsReady(const Drive& drive) const override { return !notReady.contains(drive.text); }
    // The root of the temporary folders: "/" here, "C:/" on Windows.
    QList<Drive> drives{{QDir::rootPath(), QDir::rootPath()}};
    QStringList notReady;
};

// Records what would be started; renames through a real rename in the folder.
class FakePlatform : public Platform
{
public:
    QChar separator() const override { return u'/'; }
    std::optional<QByteArray> encodeScriptText(const QString& text) const override
    {
        return text.toUtf8();
    }
    std::optional<QString> scriptFolder(QString*) const override { return scriptDir + u'/'; }
    std::unique_ptr<ScriptRun> startScript(const QString& scriptPath, const QByteArray&,
                                           QString*) override
    {
        startedScripts.append(scriptPath);
        return std::make_unique<ScriptRun>(false);
    }
    bool openInTextEditor(const QString& filePath, QString*) override
    {
        openedFiles.append(filePath);
        return true;
    }
    RenameOutcome renameInFolder(const QString& folder, const QString& from,
                                 const QString& to) override
    {
        renames.append({from, to});
        if (QFile::exists(folder + to))
            return {false, QStringLiteral("exists")};
        return {QFile::rename(folder + from, folder + to), QString()};
    }
    QString scriptDir;
    QStringList startedScripts;
    QStringList openedFiles;
    QList<std::pair<QString, QString>> renames;
};

// Chooses an item of the case box as the user does from its list.
inline void ChooseCase(Form1& form, int nIndex)
{
    form.Ui().cboFileNameCase->setCurrentIndex(nIndex);
    emit form.Ui().cboFileNameCase->activated(nIndex);
}

struct FormHarness {
    explicit FormHarness(const QStringList& files = {}, const QStringList& folders = {})
    {
        for (const QString& name : files) {
            QFile file(dir.filePath(name));
            file.open(QIODevice::WriteOnly);
        }
        for (const QString& name : folders)
            QDir(dir.path()).mkpath(name);
        platform.scriptDir = scriptDir.path();
    }
    Form1& Open()
    {
        form = std::make_unique<Form1>(Form1::Services{&messages, &drives, &platform}, dir.path());
        return *form;
    }
    QTemporaryDir dir;
    QTemporaryDir scriptDir;
    RecordingMessages messages;
    FakeDrives drives;
    FakePlatform platform;
    std::unique_ptr<Form1> form;
};

} // namespace quillet::test
