// SPDX-License-Identifier: GPL-3.0-or-later
#include "script_process.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet::posix
{

namespace
{

// The most of the log read back when the interpreter did not run to the end.
constexpr qint64 kEndTextLimit = 16 * 1024;

QString SystemError(int number)
{
    return QString::fromLocal8Bit(std::strerror(number));
}

// Opens the log for one run: never through a link, a plain file of this user with no other
// name, locked.
int OpenRunLog(const QString& logPath, QString* error)
{
    const int fd = open(QFile::encodeName(logPath).constData(),
                        O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
    if (fd < 0) {
        *error = errno == ELOOP ? QCoreApplication::translate(
                                      "ScriptProcess",
                                      "The log \"%1\" is a link; it was not used and the run was "
                                      "not started.")
                                      .arg(logPath)
                                : QCoreApplication::translate(
                                      "ScriptProcess", "The log \"%1\" cannot be written: %2")
                                      .arg(logPath, SystemError(errno));
        return -1;
    }
    struct stat st;
    // A second name (a hard link planted by someone else) would let the log be written into
    // another file.
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid() || st.st_nlink != 1) {
        close(fd);
        *error =
            QCoreApplication::translate(
                "ScriptProcess", "The log \"%1\" is not a plain file of yours; the run was not "
                                 "started.")
                .arg(logPath);
        return -1;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int number = errno;
        close(fd);
        *error =
            number == EWOULDBLOCK
                ? QCoreApplication::translate(
                      "ScriptProcess", "A rename run started earlier is still going on. Nothing "
                                       "was started; try again when it has finished.")
                : QCoreApplication::translate("ScriptProcess",
                                              "The log \"%1\" cannot be locked: %2")
                      .arg(logPath, SystemError(number));
        return -1;
    }
    if (ftruncate(fd, 0) != 0) {
        *error =
            QCoreApplication::translate("ScriptProcess", "The log \"%1\" cannot be emptied: %2")
                .arg(logPath, SystemError(errno));
        close(fd);
        return -1;
    }
    return fd;
}

// The script just written at path, opened for the interpreter to read: only a plain file of
// this user's with one name, that no other user may write, holding exactly bytes. Anything
// else (-1) makes the caller pass the bytes themselves.
int OpenWrittenScript(const QString& path, const QByteArray& bytes)
{
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st;
    bool same = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == geteuid() &&
                st.st_nlink == 1 && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0 &&
                st.st_size == bytes.size();
    // Read back in blocks: the interpreter must read the very bytes composed.
    constexpr qsizetype kBlock = 1 << 20;
    QByteArray block(qMin(kBlock, qsizetype(bytes.size())), Qt::Uninitialized);
    for (qsizetype at = 0; same && at < bytes.size(); at += kBlock) {
        const qsizetype size = qMin(kBlock, bytes.size() - at);
        same = pread(fd, block.data(), size_t(size), off_t(at)) == ssize_t(size) &&
               std::memcmp(block.constData(), bytes.constData() + at, size_t(size)) == 0;
    }
    if (!same) {
        close(fd);
        return -1;
    }
    return fd;
}

QString ReadBack(int fd)
{
    QByteArray text(kEndTextLimit, Qt::Uninitialized);
    const ssize_t got = pread(fd, text.data(), size_t(text.size()), 0);
    text.resize(got > 0 ? got : 0);
    return QString::fromUtf8(text).trimmed();
}

class WatchedScript final : public ScriptRun
{
public:
    explicit WatchedScript(int logFd) : ScriptRun(true), m_logFd(logFd)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, this,
                         [this] { readRecords(); });
        QObject::connect(&m_process, &QProcess::finished, this,
                         [this](int code, QProcess::ExitStatus status) { ended(code, status); });
    }

    ~WatchedScript() override
    {
        // The program is ending: the interpreter gets the rest of its script and finishes
        // its renames, rather than being killed in the middle.
        if (m_process.state() != QProcess::NotRunning)
            m_process.waitForFinished(-1);
        close(m_logFd);
    }

    bool start(const QString& interpreter, const QString& workingFolder, const QString& scriptPath,
               const QByteArray& scriptBytes, const QStringList& extraArguments, QString* error)
    {
        // The error text goes to the log: the child's standard error becomes the log's
        // descriptor, which also keeps the lock while the interpreter lives. Its standard
        // input is the written script when that can be trusted to hold the composed bytes.
        const int scriptFd = OpenWrittenScript(scriptPath, scriptBytes);
        m_process.setChildProcessModifier([logFd = m_logFd, scriptFd] {
            dup2(logFd, STDERR_FILENO);
            if (scriptFd >= 0)
                dup2(scriptFd, STDIN_FILENO);
        });
        m_process.setProgram(interpreter);
        m_process.setArguments(QStringList{QStringLiteral("--report")} + extraArguments +
                               QStringList{QStringLiteral("-")});
        m_process.setWorkingDirectory(workingFolder);
        m_process.start(QIODevice::ReadWrite);
        const bool started = m_process.waitForStarted();
        if (scriptFd >= 0)
            close(scriptFd);
        if (!started) {
            *error = QCoreApplication::translate(
                         "ScriptProcess", "The script interpreter \"%1\" could not be started: %2")
                         .arg(interpreter, m_process.errorString());
            return false;
        }
        // Otherwise written while the window's event loop runs; the end of input ends the
        // script.
        if (scriptFd < 0)
            m_process.write(scriptBytes);
        m_process.closeWriteChannel();
        return true;
    }

private:
    void readRecords()
    {
        // Whatever came is read at once, and its whole records parsed in place; a record cut
        // by the end of what came waits for its rest.
        m_pending += m_process.readAllStandardOutput();
        bool added = false;
        qsizetype start = 0;
        for (qsizetype end; (end = m_pending.indexOf('\n', start)) >= 0; start = end + 1) {
            const QByteArrayView record = QByteArrayView(m_pending).sliced(start, end - start);
            if (std::optional<ScriptLineResult> result = m_reader.parse(record)) {
                addResult(std::move(*result));
                added = true;
            }
        }
        m_pending.remove(0, start);
        if (added)
            emit resultsAdded();
    }

    void ended(int code, QProcess::ExitStatus status)
    {
        readRecords();
        const bool ranToEnd = status == QProcess::NormalExit && (code == 0 || code == 1);
        QString text;
        if (!ranToEnd) {
            text =
                status == QProcess::CrashExit
                    ? QCoreApplication::translate(
                          "ScriptProcess", "The script interpreter stopped before the end of the "
                                           "script.")
                    : QCoreApplication::translate("ScriptProcess",
                                                  "The script interpreter ended with code %1.")
                          .arg(code);
            const QString log = ReadBack(m_logFd);
            if (!log.isEmpty())
                text += QLatin1Char('\n') + log;
        }
        finish(ranToEnd, text);
    }

    QProcess m_process;
    int m_logFd;
    QByteArray m_pending; // the start of a record whose line feed has not come yet
    ScriptReportReader m_reader;
};

} // namespace

std::unique_ptr<ScriptRun> StartWatchedScript(const QString& interpreter,
                                              const QString& workingFolder,
                                              const QString& scriptPath,
                                              const QByteArray& scriptBytes, const QString& logPath,
                                              QString* error, const QStringList& extraArguments)
{
    const int fd = OpenRunLog(logPath, error);
    if (fd < 0)
        return nullptr;
    auto run = std::make_unique<WatchedScript>(fd);
    if (!run->start(interpreter, workingFolder, scriptPath, scriptBytes, extraArguments, error))
        return nullptr;
    return run;
}

} // namespace quillet::posix
