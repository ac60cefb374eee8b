// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch_interpreter.h"

#include "batch_line_parser.h"

#include "names/folder_path.h"
#include "platform/platform.h"
#include "run_journal.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QStringDecoder>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <iterator>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace quillet
{

namespace
{

using Kind = BatchLineResult::Kind;

BatchLineResult LineResult(Kind kind, const QString& message = {})
{
    BatchLineResult result;
    result.kind = kind;
    result.message = message;
    return result;
}

// The folder the renames act in, shared with the thread that reads ahead of them: the folder
// of the script's cd-th cd (0: before the first), once it is open.
class OpenedFolder
{
public:
    void set(int cd, std::shared_ptr<const RunFolder> folder)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_cd = cd;
        m_folder = std::move(folder);
    }
    // The folder after the cd-th cd, or nothing while that cd has not run (or failed).
    std::shared_ptr<const RunFolder> get(int cd) const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return cd == m_cd ? m_folder : nullptr;
    }

private:
    mutable std::mutex m_mutex;
    int m_cd = -1;
    std::shared_ptr<const RunFolder> m_folder;
};

class Interpreter
{
public:
    Interpreter(const QString& startFolder, Platform& platform, const QByteArray& folderIdentity,
                RunJournal* journal)
        : m_folder(QDir::cleanPath(QDir(startFolder).absolutePath())), m_platform(platform),
          m_folderIdentity(folderIdentity), m_journal(journal)
    {
        m_folderText = WithSeparator(m_folder, m_platform.separator());
        noteFolder();
    }

    // Runs one line as read.
    BatchLineResult execute(ParsedLine& line)
    {
        using Action = ParsedLine::Action;
        switch (line.action) {
        case Action::Report:
            if (line.result.kind == Kind::Failed)
                ++m_summary.failedLines;
            return std::move(line.result);
        case Action::ErrorLevel:
            // Only a cd sets the level here: 1 when it failed, 0 when it worked.
            if ((m_bLastCdFailed ? 1 : 0) < line.level)
                return {};
            m_summary.ended = true;
            ++m_summary.failedLines;
            return LineResult(Kind::Ended, QCoreApplication::translate("BatchInterpreter",
                                                                       "the script ends here (%1)")
                                               .arg(line.text));
        case Action::ChangeFolder:
            return changeFolder(line.text, line.exitOnFailure);
        case Action::Rename:
            return renameFile(line.from, line.to, line.identityBefore);
        }
        return {};
    }

    BatchRunSummary summary() const { return m_summary; }

    // Where the folder is made known to the reading thread after each cd.
    void setSharedFolder(OpenedFolder* shared) { m_shared = shared; }

private:
    BatchLineResult fail(const QString& text)
    {
        ++m_summary.failedLines;
        return LineResult(Kind::Failed, text);
    }

    BatchLineResult changeFolder(const QString& argument, bool exitOnFailure)
    {
        const QString target = QDir::cleanPath(QDir(m_folder).absoluteFilePath(argument));
        m_lock.reset();
        m_runFolder.reset();
        ++m_nCd;
        m_bLastCdFailed = !m_platform.isFolder(target);
        // One run at a time in a folder: while another run (a window, or another interpreter)
        // renames there, the cd fails as if the folder were missing. So it does when the
        // folder is not the one the window listed; the renames go to the folder opened here.
        QString lockError;
        if (!m_bLastCdFailed) {
            m_lock = m_platform.lockFolderForRun(target, &lockError);
            if (m_lock)
                m_runFolder = m_platform.openRunFolder(
                    WithSeparator(target, m_platform.separator()), m_folderIdentity, &lockError);
            m_bLastCdFailed = !m_runFolder;
        }
        publishFolder();
        if (m_bLastCdFailed) {
            m_bFolderKnown = false;
            if (exitOnFailure) {
                m_summary.ended = true;
                ++m_summary.failedLines;
                return LineResult(
                    Kind::Ended,
                    lockError.isEmpty()
                        ? QCoreApplication::translate("BatchInterpreter",
                                                      "cd: the folder \"%1\" does not exist; the "
                                                      "script ends here")
                              .arg(argument)
                        : QCoreApplication::translate("BatchInterpreter",
                                                      "cd: %1 The script ends here.")
                              .arg(lockError));
            }
            return fail(lockError.isEmpty()
                            ? QCoreApplication::translate("BatchInterpreter",
                                                          "cd: the folder \"%1\" does not exist; "
                                                          "the renames up to the next cd are "
                                                          "skipped")
                                  .arg(argument)
                            : QCoreApplication::translate("BatchInterpreter",
                                                          "cd: %1 The renames up to the next cd "
                                                          "are skipped.")
                                  .arg(lockError));
        }
        m_folder = target;
        m_folderText = WithSeparator(m_folder, m_platform.separator());
        m_bFolderKnown = true;
        noteFolder();
        return LineResult(Kind::ChangedFolder);
    }

    void publishFolder()
    {
        if (m_shared)
            m_shared->set(m_nCd, m_runFolder);
    }

    void noteFolder()
    {
        if (!m_journal || m_folder == m_journaledFolder)
            return;
        m_journaledFolder = m_folder;
        m_journal->enterFolder(WithSeparator(m_folder, m_platform.separator()),
                               m_platform.folderIdentity(m_folder).value_or(QByteArray()));
    }

    // before: the identity of from taken ahead of the rename, or empty.
    BatchLineResult renameFile(const QString& from, const QString& to, const QByteArray& before)
    {
        const QChar separator = m_platform.separator();
        const QString& folderText = m_folderText;
        // A rename line's result names its file, so that the caller can list the pair.
        QByteArray identity; // of the renamed file, when the journal took it
        const auto result = [&](const QString& reason) {
            BatchLineResult done =
                reason.isEmpty()
                    ? LineResult(Kind::Renamed)
                    : fail(QCoreApplication::translate("BatchInterpreter", "could not rename "
                                                                           "\"%1\" to \"%2\": %3")
                               .arg(from, to, reason));
            done.rename = reason.isEmpty()
                              ? RenameResult::renamed(folderText, from, to, std::move(identity))
                              : RenameResult::notRenamed(folderText, from, to, reason);
            return done;
        };
        if (!m_bFolderKnown)
            return result(QCoreApplication::translate("BatchInterpreter",
                                                      "the folder of the last cd does not exist"));
        if (from.isEmpty() || to.isEmpty())
            return result(QCoreApplication::translate("BatchInterpreter", "a name is empty"));
        for (const QString* name : {&from, &to}) {
            if (*name == QLatin1String(".") || *name == QLatin1String(".."))
                return result(QCoreApplication::translate("BatchInterpreter",
                                                          "\"%1\" names a folder, not a file")
                                  .arg(*name));
        }
        if (to.contains(QLatin1Char('/')) || to.contains(separator))
            return result(QCoreApplication::translate("BatchInterpreter",
                                                      "the new name must not hold a folder"));
        if (from.contains(QLatin1Char('/')) || from.contains(separator))
            return result(QCoreApplication::translate(
                "BatchInterpreter", "the name must be a file of the current folder, "
                                    "without a folder part"));
        // Renames before the first cd act in the start folder, under the same check.
        QString openError;
        if (!m_runFolder) {
            m_runFolder = m_platform.openRunFolder(folderText, m_folderIdentity, &openError);
            publishFolder();
        }
        if (!m_runFolder)
            return result(openError);
        if (m_journal) {
            m_journal->intend(from, to);
            m_journal->flush();
        }
        const RenameResult outcome = m_runFolder->rename(from, to);
        if (m_journal && outcome.ok) {
            identity = (before.isEmpty() ? m_runFolder->fileIdentity(to)
                                         : m_runFolder->identityAfterRename(before, to))
                           .value_or(QByteArray());
            m_journal->renamed(identity);
        } else if (m_journal)
            m_journal->failed();
        if (outcome.ok)
            ++m_summary.renamed;
        return result(outcome.ok
                          ? QString()
                          : (outcome.reason.isEmpty()
                                 ? QCoreApplication::translate("BatchInterpreter", "it failed")
                                 : outcome.reason));
    }

    QString m_folder;
    QString m_folderText; // m_folder ending in its separator, as the results name it
    bool m_bFolderKnown = true;
    bool m_bLastCdFailed = false;
    std::unique_ptr<FolderRunLock> m_lock;  // of the folder of the last cd that worked
    std::shared_ptr<RunFolder> m_runFolder; // that folder, held open
    int m_nCd = 0;                          // the cd lines run
    OpenedFolder* m_shared = nullptr;
    Platform& m_platform;
    QByteArray m_folderIdentity; // of the only folder renamed in; empty: any folder
    RunJournal* m_journal;
    QString m_journaledFolder; // the folder the journal names last
    BatchRunSummary m_summary;
};

// The lines of a script, read in large blocks: a QIODevice asked for one line at a time reads
// a pipe one byte per system call, and a file asks for its size and place every line.
class ScriptLines
{
public:
    explicit ScriptLines(QIODevice& script) : m_script(script) {}

    // The next line with its line feed, if it has one, or its first kMaxScriptLineBytes + 1
    // bytes when it is longer; false at the end of the script (or on a read error).
    bool next(QByteArrayView* line)
    {
        constexpr qsizetype kLongest = kMaxScriptLineBytes + 1;
        for (;;) {
            const qsizetype limit = qMin(m_end, m_start + kLongest);
            const char* begin = m_buffer.constData() + m_start;
            if (const void* feed = std::memchr(begin, '\n', size_t(limit - m_start))) {
                const qsizetype size = static_cast<const char*>(feed) - begin + 1;
                *line = QByteArrayView(begin, size);
                m_start += size;
                return true;
            }
            if (limit - m_start == kLongest || (m_bEnd && m_start < m_end)) {
                *line = QByteArrayView(begin, limit - m_start);
                m_start = limit;
                return true;
            }
            if (m_bEnd)
                return false;
            fill();
        }
    }

    // Passes over the rest of a line that was too long; whether it had a line feed.
    bool skipRestOfLine()
    {
        for (;;) {
            const char* begin = m_buffer.constData() + m_start;
            if (const void* feed = std::memchr(begin, '\n', size_t(m_end - m_start))) {
                m_start += static_cast<const char*>(feed) - begin + 1;
                return true;
            }
            m_start = m_end;
            if (m_bEnd)
                return false;
            fill();
        }
    }

private:
    void fill()
    {
        if (m_start > 0) {
            std::memmove(m_buffer.data(), m_buffer.constData() + m_start, size_t(m_end - m_start));
            m_end -= m_start;
            m_start = 0;
        }
        const qint64 nRead = m_script.read(m_buffer.data() + m_end, m_buffer.size() - m_end);
        if (nRead <= 0)
            m_bEnd = true;
        else
            m_end += nRead;
    }

    QIODevice& m_script;
    QByteArray m_buffer{4 * kMaxScriptLineBytes, Qt::Uninitialized};
    qsizetype m_start = 0; // the first byte not handed out yet
    qsizetype m_end = 0;   // the end of the bytes read
    bool m_bEnd = false;   // the script has no more bytes
};

// The names earlier lines rename files to, case ignored, as a filter that errs one way only:
// a name it does not hold was no earlier line's new name. A fixed MiB, three probes a name.
class NewNameFilter
{
public:
    void add(QStringView name)
    {
        const auto [first, step] = hashes(name);
        for (quint64 i = 0; i < kProbes; ++i) {
            const quint64 bit = (first + i * step) % kBits;
            m_bits[bit / 64] |= quint64(1) << (bit % 64);
        }
    }
    bool mayHold(QStringView name) const
    {
        const auto [first, step] = hashes(name);
        for (quint64 i = 0; i < kProbes; ++i) {
            const quint64 bit = (first + i * step) % kBits;
            if ((m_bits[bit / 64] & (quint64(1) << (bit % 64))) == 0)
                return false;
        }
        return true;
    }

private:
    static constexpr quint64 kBits = quint64(8) << 20;
    static constexpr quint64 kProbes = 3;

    static std::pair<quint64, quint64> hashes(QStringView name)
    {
        quint64 hash = 14695981039346656037ULL; // FNV-1a over the case-folded units
        for (const QChar c : name) {
            hash ^= c.toCaseFolded().unicode();
            hash *= 1099511628211ULL;
        }
        return {hash, (hash >> 32) | 1};
    }

    std::vector<quint64> m_bits = std::vector<quint64>(kBits / 64);
};

// Takes the identity of a rename's file while the line is read, ahead of its rename, so that
// the renaming thread does not wait for it: where a rename keeps a file's identity (its birth
// time known), the identity before is the identity after (RunFolder::identityAfterRename).
// Only a name no earlier line renames a file to is read ahead: its file is the one the rename
// will find, unless another program changes the folder in between, and then the identity
// names a file the rename did not move, which an undo takes for a changed file and leaves.
class IdentityAhead
{
public:
    explicit IdentityAhead(const OpenedFolder& opened) : m_opened(opened) {}

    void read(ParsedLine& line)
    {
        if (line.action == ParsedLine::Action::ChangeFolder) {
            ++m_nCd;
            m_folder.reset();
        }
        if (line.action != ParsedLine::Action::Rename)
            return;
        if (!m_folder)
            m_folder = m_opened.get(m_nCd);
        // A name with a folder part is refused by the rename; it is not looked up.
        const bool bPlain = !line.from.contains(QLatin1Char('/')) &&
                            !line.from.contains(QLatin1Char('\\')) &&
                            line.from != QLatin1String("..");
        if (m_folder && bPlain && !m_newNames.mayHold(line.from))
            line.identityBefore = m_folder->fileIdentity(line.from).value_or(QByteArray());
        m_newNames.add(line.to);
    }

private:
    const OpenedFolder& m_opened;
    std::shared_ptr<const RunFolder> m_folder; // of the lines read last, once open
    int m_nCd = 0;                             // the cd lines read
    NewNameFilter m_newNames;
};

// Runs the lines of a script on a thread of its own, in order, while the thread that reads
// them goes on reading and reports what the lines did: on a machine with two cores the renames
// no longer wait for the reading of the next line or the report of the last one. Lines travel
// in chunks, their results back in batches.
class LineRunner
{
public:
    struct Line {
        int number = 0;
        ParsedLine parsed;
    };
    struct Result {
        int number = 0;
        BatchLineResult result;
    };

    explicit LineRunner(Interpreter& interpreter) : m_interpreter(interpreter)
    {
        m_thread = std::thread([this] { run(); });
    }
    ~LineRunner()
    {
        finish();
        m_thread.join();
    }

    // Whether the runner waits for lines: then a line goes to it at once, not in a chunk.
    bool idle() const { return m_nQueued.load(std::memory_order_relaxed) == 0; }

    // Hands chunk over, or false while enough chunks wait already.
    bool tryPush(std::vector<Line>& chunk)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_lines.size() >= kChunksAhead)
            return false;
        m_lines.push_back(std::move(chunk));
        chunk.clear();
        m_nQueued.store(m_lines.size(), std::memory_order_relaxed);
        m_wake.notify_all();
        return true;
    }

    // Waits until a chunk can be handed over or results are there.
    void waitForRoomOrResults()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (m_lines.size() >= kChunksAhead && m_results.empty())
            m_wake.wait(lock);
    }

    // No more lines.
    void finish()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_bFinished = true;
        m_wake.notify_all();
    }

    // Moves the results so far to *out; with wait, waits for some, or for the last line to
    // have run. False once every line has run and its result was taken.
    bool take(std::vector<Result>* out, bool wait)
    {
        if (!wait && !m_bResults.load(std::memory_order_acquire))
            return true;
        std::unique_lock<std::mutex> lock(m_mutex);
        while (wait && m_results.empty() && !m_bDone)
            m_wake.wait(lock);
        if (m_results.empty())
            return !m_bDone;
        std::swap(*out, m_results);
        m_bResults.store(false, std::memory_order_release);
        return true;
    }

private:
    static constexpr size_t kChunksAhead = 4;
    static constexpr size_t kResultsAtOnce = 64;

    void run()
    {
        bool ended = false;
        std::vector<Line> chunk;
        std::vector<Result> results;
        for (;;) {
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                while (m_lines.empty() && !m_bFinished)
                    m_wake.wait(lock);
                if (m_lines.empty()) {
                    m_bDone = true;
                    m_wake.notify_all();
                    return;
                }
                chunk = std::move(m_lines.front());
                m_lines.pop_front();
                m_nQueued.store(m_lines.size(), std::memory_order_relaxed);
                m_wake.notify_all();
            }
            // After an exit the rest of the script is read no further and runs no line.
            for (size_t i = 0; i < chunk.size() && !ended; ++i) {
                results.push_back({chunk[i].number, m_interpreter.execute(chunk[i].parsed)});
                ended = results.back().result.kind == Kind::Ended;
                if (results.size() >= kResultsAtOnce || i + 1 == chunk.size() || ended)
                    hand(results);
            }
            chunk.clear();
        }
    }

    void hand(std::vector<Result>& results)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_results.empty())
            std::swap(m_results, results);
        else
            std::move(results.begin(), results.end(), std::back_inserter(m_results));
        results.clear();
        m_bResults.store(true, std::memory_order_release);
        m_wake.notify_all();
    }

    Interpreter& m_interpreter;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::vector<Line>> m_lines; // chunks not run yet
    std::vector<Result> m_results;         // results not taken yet
    std::atomic<size_t> m_nQueued{0};
    std::atomic<bool> m_bResults{false};
    bool m_bFinished = false; // no more lines come
    bool m_bDone = false;     // every line ran
};

} // namespace

BatchRunSummary RunBatchScript(QIODevice& script, const QString& startFolder, Platform& platform,
                               const BatchLineCallback& onLine, const QByteArray& folderIdentity,
                               RunJournal* journal)
{
    constexpr size_t kChunkLines = 256;
    Interpreter interpreter(startFolder, platform, folderIdentity, journal);
    BatchLineParser parser;
    // Identities are taken for the journal: read ahead only for a run that keeps one.
    OpenedFolder opened;
    std::optional<IdentityAhead> ahead;
    if (journal) {
        interpreter.setSharedFolder(&opened);
        ahead.emplace(opened);
    }
    bool ended = false;
    {
        LineRunner runner(interpreter);
        std::vector<LineRunner::Result> results;
        const auto report = [&] {
            for (const LineRunner::Result& done : results) {
                onLine(done.number, done.result);
                ended = ended || done.result.kind == Kind::Ended;
            }
            results.clear();
        };
        std::vector<LineRunner::Line> chunk;
        const auto hand = [&] {
            while (!runner.tryPush(chunk)) {
                runner.waitForRoomOrResults();
                runner.take(&results, false);
                report();
            }
        };
        int number = 0;
        ScriptLines lines(script);
        QByteArrayView bytes;
        while (!ended && lines.next(&bytes)) {
            ++number;
            bool lineEnded = bytes.endsWith('\n');
            ParsedLine parsed;
            if (!lineEnded && bytes.size() >= kMaxScriptLineBytes) {
                lineEnded = lines.skipRestOfLine();
                parsed = BatchLineParser::refused(
                    QCoreApplication::translate("BatchInterpreter",
                                                "the line is longer than %1 bytes; line skipped")
                        .arg(kMaxScriptLineBytes));
            } else {
                if (lineEnded)
                    bytes = bytes.chopped(1);
                if (bytes.endsWith('\r'))
                    bytes = bytes.chopped(1);
                QStringDecoder decoder(QStringDecoder::Utf8);
                const QString line = decoder.decode(bytes);
                parsed = decoder.hasError()
                             ? BatchLineParser::refused(QCoreApplication::translate(
                                   "BatchInterpreter", "the line is not UTF-8 text; line skipped"))
                             : parser.parse(line, lineEnded);
            }
            if (ahead)
                ahead->read(parsed);
            chunk.push_back({number, std::move(parsed)});
            if (chunk.size() >= kChunkLines || runner.idle())
                hand();
            runner.take(&results, false);
            report();
        }
        if (!chunk.empty())
            hand();
        runner.finish();
        while (runner.take(&results, true))
            report();
    }
    return interpreter.summary();
}

std::optional<ScriptLineResult> ToScriptLineResult(int lineNumber, const BatchLineResult& result)
{
    using Report = ScriptLineResult::Kind;
    if (!result.rename.folder.isEmpty()) // only a rename line names its folder
        return ScriptLineResult{result.kind == Kind::Renamed ? Report::Renamed : Report::Failed,
                                lineNumber,
                                result.rename,
                                {}};
    if (result.kind == Kind::Failed || result.kind == Kind::Ended)
        return ScriptLineResult{Report::LineError, lineNumber, {}, result.message};
    return std::nullopt;
}

BatchRunSummary RunBatchScript(const QString& scriptText, const QString& startFolder,
                               Platform& platform,
                               const std::function<void(const QString&)>& reportError,
                               const std::function<void(const ScriptLineResult&)>& onResult)
{
    QByteArray bytes = scriptText.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return RunBatchScript(
        buffer, startFolder, platform, [&](int number, const BatchLineResult& result) {
            if (!result.message.isEmpty())
                reportError(QCoreApplication::translate("BatchInterpreter", "line %1: %2")
                                .arg(number)
                                .arg(result.message));
            if (onResult) {
                if (const auto line = ToScriptLineResult(number, result))
                    onResult(*line);
            }
        });
}

} // namespace quillet
