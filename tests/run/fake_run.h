#pragma once

// Stand-ins for the window and the operating system in the rename run tests.

#include "run/platform/platform.h"
#include "run/run_reporter.h"

#include <QSet>
#include <QStringList>
#include <functional>

namespace quillet::testing
{

// Records what a run shows, one event per entry.
class FakeReporter : public RunReporter
{
public:
    struct Message {
        QString text;
        QString title;
        MessageIcon icon;
        double progressShown; // the bar's value while the box is open
        QString details;
    };

    using RunReporter::showMessage;
    MessageReply showMessage(const MessageRequest& request) override
    {
        messages.append({request.text, request.title, request.icon, value, request.detailedText});
        return reply ? reply(request) : MessageReply();
    }
    void setProgressRange(double min, double max) override
    {
        rangeMin = min;
        rangeMax = max;
        ++rangeCalls;
    }
    void setProgressValue(double v) override
    {
        value = v;
        ++valueCalls;
    }

    QList<Message> messages;
    std::function<MessageReply(const MessageRequest&)> reply; // how the "user" closes a box
    double rangeMin = -1;
    double rangeMax = -1;
    double value = -1;
    int rangeCalls = 0;
    int valueCalls = 0;
};

// A platform whose renames, starts and folders are recorded and scripted.
class FakePlatform : public Platform
{
public:
    struct Rename {
        QString folder;
        QString from;
        QString to;
        double progress; // the bar's value at the time of the call
    };

    explicit FakePlatform(const FakeReporter* reporter = nullptr) : reporter_(reporter) {}

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
                                           QString* error) override
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
    RenameOutcome renameInFolder(const QString& folder, const QString& from,
                                 const QString& to) override
    {
        renames.append({folder, from, to, reporter_ ? reporter_->value : 0});
        if (failing.contains(from))
            return {false, QStringLiteral("it is in use")};
        return {true, {}};
    }

    QString folder;
    QString fallbackFolder;
    bool startWorks = true;
    bool editorWorks = true;
    QSet<QString> failing;
    QStringList started;
    QStringList opened;
    QList<Rename> renames;

private:
    const FakeReporter* reporter_;
};

} // namespace quillet::testing
