// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one stand-in for the operating system: renames, starts and editors are recorded and
// scripted; with onDisk, renames really happen in the folder, never over an existing file.

#include "message_recorder.h"
#include "run/platform/platform.h"

#include <QFile>
#include <QSet>
#include <QStringList>

namespace quillet::test
{

class FakePlatform : public Platform
{
public:
    struct Rename {
        QString folder;
        QString from;
        QString to;
        double progress; // the bar's value at the time of the call
    };

    explicit FakePlatform(const MessageRecorder* reporter = nullptr) : m_reporter(reporter) {}

    QChar separator() const override { return QLatin1Char('/'); }
    std::optional<QByteArray> encodeScriptText(const QString& text) const override
    {
        return text.toUtf8();
    }
    std::optional<QString> scriptFolder(QString* error) const override
    {
        if (folder.isEmpty()) {
            *error = QStringLiteral("no script folder");
            return std::nullopt;
        }
        return folder;
    }
    std::optional<QString> fallbackScriptFolder(QString* error) const override
    {
        if (fallbackFolder.isEmpty()) {
            *error = QStringLiteral("no fallback folder");
            return std::nullopt;
        }
        return fallbackFolder;
    }
    std::unique_ptr<ScriptRun> startScript(const QString& scriptPath, const QByteArray&,
                                           const QByteArray&, QString* error) override
    {
        started.append(scriptPath);
        if (!startWorks) {
            *error = QStringLiteral("interpreter missing");
            return nullptr;
        }
        return std::make_unique<ScriptRun>(false);
    }
    bool openInTextEditor(const QString& filePath, QString* error) override
    {
        opened.append(filePath);
        if (!editorWorks)
            *error = QStringLiteral("no editor");
        return editorWorks;
    }
    RenameResult renameInFolder(const QString& inFolder, const QString& from,
                                const QString& to) override
    {
        renames.append({inFolder, from, to, m_reporter ? m_reporter->value : 0});
        if (failing.contains(from))
            return RenameResult::answer(false, QStringLiteral("it is in use"));
        if (!onDisk)
            return RenameResult::answer(true);
        if (QFile::exists(inFolder + to))
            return RenameResult::answer(false, QStringLiteral("exists"));
        return RenameResult::answer(QFile::rename(inFolder + from, inFolder + to));
    }

    QString folder; // the script folder, ending in '/'
    QString fallbackFolder;
    bool startWorks = true;
    bool editorWorks = true;
    bool onDisk = false;
    QSet<QString> failing;
    QStringList started;
    QStringList opened;
    QList<Rename> renames;

private:
    const MessageRecorder* m_reporter;
};

} // namespace quillet::test
