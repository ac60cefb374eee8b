// SPDX-License-Identifier: GPL-3.0-or-later
// Coverage-guided fuzzing of the script interpreter (libFuzzer): any bytes as a script, run
// against a stand-in platform that knows two folders and aborts the run when the interpreter
// hands it a rename it must never make: an empty name, a name with a folder part, or a folder
// other than the one its last change of folder checked.

#include "run/batch_interpreter.h"
#include "run/platform/platform.h"

#include <QBuffer>
#include <QDir>

#include <cstdio>
#include <cstdlib>

namespace
{

using namespace quillet;

const QString kStart = QStringLiteral("/fuzz");

[[noreturn]] void Abort(const char* why, const QString& folder, const QString& from,
                        const QString& to)
{
    std::fprintf(stderr, "fuzz: %s: folder \"%s\" from \"%s\" to \"%s\"\n", why, qPrintable(folder),
                 qPrintable(from), qPrintable(to));
    std::abort();
}

class CheckingPlatform final : public Platform
{
public:
    QChar separator() const override { return QLatin1Char('/'); }
    std::optional<QByteArray> encodeScriptText(const QString& text) const override
    {
        return text.toUtf8();
    }
    std::optional<QString> scriptFolder(QString*) const override { return std::nullopt; }
    std::unique_ptr<ScriptRun> startScript(const QString&, const QByteArray&, const QByteArray&,
                                           QString*) override
    {
        return nullptr;
    }
    bool openInTextEditor(const QString&, QString*) override { return false; }

    // Two folders exist: the start folder and "sub" in it. The last answer is remembered.
    bool isFolder(const QString& path) const override
    {
        const bool exists = path == kStart || path == kStart + QStringLiteral("/sub");
        checked_ = exists ? path + QLatin1Char('/') : QString();
        return exists;
    }

    RenameResult renameInFolder(const QString& folder, const QString& from,
                                const QString& to) override
    {
        if (from.isEmpty() || to.isEmpty())
            Abort("an empty name", folder, from, to);
        for (const QString* name : {&from, &to}) {
            if (name->contains(QLatin1Char('/')) || *name == QLatin1String(".") ||
                *name == QLatin1String(".."))
                Abort("a name with a folder part", folder, from, to);
        }
        if (folder != checked_)
            Abort("a folder other than the checked one", folder, from, to);
        // Every other rename fails, so both outcomes are explored.
        return RenameResult::answer((from.size() + to.size()) % 2 == 0, QStringLiteral("refused"));
    }

    mutable QString checked_ = kStart + QLatin1Char('/');
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CheckingPlatform platform;
    int lines = 0;
    const BatchRunSummary summary = RunBatchScript(
        buffer, kStart, platform, [&lines](int number, const BatchLineResult& result) {
            if (number != ++lines)
                std::abort(); // every line is reported once, in order
            if ((result.kind == BatchLineResult::Kind::Failed ||
                 result.kind == BatchLineResult::Kind::Ended) == result.message.isEmpty())
                std::abort(); // a message exactly for a failure
        });
    if (summary.renamed + summary.failedLines > lines)
        std::abort();
    return 0;
}
