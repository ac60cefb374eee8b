// SPDX-License-Identifier: GPL-3.0-or-later
#include "run_journal.h"

#include "names/file_name_bytes.h"
#include "platform/percent_field.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThreadPool>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#if defined(Q_OS_UNIX)
#include "platform/posix/private_folder.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

// The records, one a line, each field percent-encoded so that no field holds a blank or a
// line break (names as the bytes of the file system):
//   quillet-journal 1 <pairs>      the header
//   folder <path> <identity>       the folder of the renames that follow
//   rename <from> <to>             a rename announced
//   done <identity>                the oldest announced rename happened; the file's identity
//   failed                         the oldest announced rename did not happen
// A last line without its line end was cut by the end of the run and is left out.

namespace quillet
{

namespace
{

constexpr char kMagic[] = "quillet-journal 1";
constexpr char kSuffix[] = ".journal";
// How much of the file is reserved and mapped at a time.
constexpr qint64 kMapChunk = 1 << 20;

// Appends the field of a file name (its bytes as the file system holds them) to record.
[[maybe_unused]] void AppendName(QByteArray& record, const QString& name)
{
    record += ' ';
    AppendTextField(record, name, [](QStringView text) { return EncodeFileName(text); });
}

[[maybe_unused]] QString Name(const QByteArray& field)
{
    return DecodeFileName(QByteArray::fromPercentEncoding(field));
}

} // namespace

#if defined(Q_OS_UNIX)

namespace
{

QString Errno()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool WriteAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Closes the last descriptor of a removed journal on a thread of the pool: that frees the
// file's blocks, which for a run of a million files takes the disk a good part of a frame.
void CloseAway(int fd)
{
    QThreadPool::globalInstance()->start([fd] { ::close(fd); });
}

bool Lock(int fd, bool wait)
{
    int result;
    do
        result = flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB));
    while (result != 0 && errno == EINTR);
    return result == 0;
}

} // namespace

// Syncs the journal to the disk every kSyncIntervalMs while something new was written, and
// the journal folder once, on a thread of its own that neither the run nor its end waits for:
// after a large run a sync can take a while, the time the disk needs for the run's renames.
// The thread keeps its own descriptor of the file and ends after its last sync.
struct RunJournal::Syncer {
    struct State {
        int fd;
        std::atomic<bool> written{false};
        std::mutex mutex;
        std::condition_variable wake;
        bool stop = false;
        QByteArray folder; // synced once, then emptied
    };

    explicit Syncer(int fd) : state(std::make_shared<State>())
    {
        // A descriptor of its own, opened anew rather than duplicated: the journal's lock
        // belongs to the run's descriptor alone and goes when the run lets go of it.
        state->fd =
            ::open(("/proc/self/fd/" + QByteArray::number(fd)).constData(), O_RDONLY | O_CLOEXEC);
        if (state->fd < 0)
            state->fd = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
        std::thread([s = state] { loop(*s); }).detach();
    }
    ~Syncer()
    {
        {
            const std::lock_guard<std::mutex> lock(state->mutex);
            state->stop = true;
        }
        state->wake.notify_one();
    }
    void syncFolder(const QByteArray& folder)
    {
        {
            const std::lock_guard<std::mutex> lock(state->mutex);
            state->folder = folder;
        }
        state->written = true;
    }
    static void loop(State& s)
    {
        std::unique_lock<std::mutex> lock(s.mutex);
        while (!s.stop) {
            s.wake.wait_for(lock, std::chrono::milliseconds(kSyncIntervalMs),
                            [&s] { return s.stop; });
            if (s.stop || !s.written.exchange(false))
                continue;
            const QByteArray folder = std::exchange(s.folder, {});
            lock.unlock();
            ::fdatasync(s.fd);
            if (!folder.isEmpty()) {
                // The journal's name in its folder reaches the disk too, once per run.
                const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
                if (dirFd >= 0) {
                    ::fsync(dirFd);
                    ::close(dirFd);
                }
            }
            lock.lock();
        }
        lock.unlock();
        if (s.fd >= 0)
            ::close(s.fd);
    }

    std::shared_ptr<State> state;
};

RunJournal::RunJournal(int fd, QString path, qint64 end)
    : m_fd(fd), m_path(std::move(path)), m_end(end), m_syncer(std::make_unique<Syncer>(fd))
{
}

RunJournal::~RunJournal()
{
    if (m_fd >= 0) {
        m_syncer.reset();
        unmap();
        // The zero bytes after the records are no longer needed.
        if (::ftruncate(m_fd, m_end) == 0)
            ::fdatasync(m_fd);
        ::close(m_fd);
    }
}

bool RunJournal::mapFrom(qint64 offset, qint64 length)
{
    unmap();
    const qint64 page = ::sysconf(_SC_PAGESIZE);
    const qint64 start = offset / page * page;
    const qint64 size = (offset - start + length + page - 1) / page * page;
    // Reserved first: writing to a mapped part the disk has no room for would kill the
    // process.
    if (::posix_fallocate(m_fd, start, size) != 0)
        return false;
    void* map = ::mmap(nullptr, size_t(size), PROT_READ | PROT_WRITE, MAP_SHARED, m_fd, start);
    if (map == MAP_FAILED)
        return false;
    m_map = static_cast<char*>(map);
    m_mapStart = start;
    m_mapLength = size;
    return true;
}

void RunJournal::unmap()
{
    if (m_map)
        ::munmap(m_map, size_t(m_mapLength));
    m_map = nullptr;
    m_mapLength = 0;
}

std::unique_ptr<RunJournal> RunJournal::create(const QString& path, qsizetype pairs, QString* error)
{
    if (path.isEmpty())
        return nullptr;
    const QByteArray final = EncodeFileName(path);
    const QByteArray temporary = final + ".new";
    const int fd =
        ::open(temporary.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    const QByteArray header = QByteArray(kMagic) + ' ' + QByteArray::number(pairs) + '\n';
    std::unique_ptr<RunJournal> journal;
    bool ok = fd >= 0 && Lock(fd, true) && WriteAll(fd, header);
    if (ok) {
        journal.reset(new RunJournal(fd, path, header.size()));
        ok = journal->mapFrom(header.size(), kMapChunk) &&
             ::rename(temporary.constData(), final.constData()) == 0;
    }
    if (!ok) {
        if (error)
            *error =
                QCoreApplication::translate("RunJournal", "The journal of the run \"%1\" cannot be "
                                                          "written: %2. Nothing was renamed.")
                    .arg(DisplayFileName(path), Errno());
        if (journal) {
            journal->m_syncer.reset();
            journal->unmap();
            journal->m_fd = -1;
        }
        if (fd >= 0) {
            ::unlink(temporary.constData());
            ::close(fd);
        }
        return nullptr;
    }
    // The file and its name in the folder go to the disk on the syncer's thread: nobody waits
    // for them. A journal found empty after the machine went off is taken for none.
    journal->m_syncer->syncFolder(EncodeFileName(QFileInfo(path).path()));
    return journal;
}

void RunJournal::add(const QByteArray& record)
{
    if (m_bFailed || !m_map)
        return;
    if (m_end + record.size() > m_mapStart + m_mapLength &&
        !mapFrom(m_end, qMax(kMapChunk, qint64(record.size())))) {
        m_bFailed = true;
        return;
    }
    std::memcpy(m_map + (m_end - m_mapStart), record.constData(), size_t(record.size()));
    m_end += record.size();
    m_syncer->state->written = true;
}

void RunJournal::enterFolder(const QString& folder, const QByteArray& identity)
{
    m_record.resize(0); // keeps its room
    m_record += "folder";
    AppendName(m_record, folder);
    m_record += ' ';
    AppendPercentEncoded(m_record, identity);
    m_record += '\n';
    add(m_record);
}

void RunJournal::intend(const QString& from, const QString& to)
{
    m_record.resize(0);
    m_record += "rename";
    AppendName(m_record, from);
    AppendName(m_record, to);
    m_record += '\n';
    add(m_record);
}

void RunJournal::renamed(const QByteArray& identity)
{
    m_record.resize(0);
    m_record += "done ";
    AppendPercentEncoded(m_record, identity);
    m_record += '\n';
    add(m_record);
}

void RunJournal::failed()
{
    add("failed\n");
}

bool RunJournal::flush()
{
    return m_fd >= 0 && !m_bFailed;
}

void RunJournal::remove()
{
    if (m_fd < 0)
        return;
    m_syncer.reset();
    unmap();
    ::unlink(EncodeFileName(m_path).constData());
    CloseAway(m_fd);
    m_fd = -1;
}

std::optional<QString> JournalFolder(QString* error)
{
    const QString folder = posix::CacheFolder(QStringLiteral("quillet-journals"));
    QString reason;
    const int fd = posix::OpenOwnFolder(folder, &reason);
    if (fd >= 0)
        ::close(fd);
    if (!reason.isEmpty()) {
        if (error)
            *error = QCoreApplication::translate("RunJournal",
                                                 "The journal folder \"%1\" cannot be used: %2. "
                                                 "Nothing was renamed.")
                         .arg(DisplayFileName(folder), reason);
        return std::nullopt;
    }
    return folder + QLatin1Char('/');
}

QString NewJournalPath(const QString& journalFolder)
{
    static std::atomic<int> counter{0};
    return journalFolder + QStringLiteral("run-%1-%2-%3%4")
                               .arg(qint64(::getpid()))
                               .arg(QDateTime::currentMSecsSinceEpoch())
                               .arg(++counter)
                               .arg(QLatin1String(kSuffix));
}

FoundJournal::~FoundJournal()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void FoundJournal::remove()
{
    if (m_fd < 0)
        return;
    ::unlink(EncodeFileName(m_path).constData());
    CloseAway(m_fd);
    m_fd = -1;
}

void RemoveEndedJournal(const QString& path)
{
    if (path.isEmpty())
        return;
    const QByteArray name = EncodeFileName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    // Still locked: its run goes on, and the journal is still its record.
    if (Lock(fd, false)) {
        ::unlink(name.constData());
        CloseAway(fd);
        return;
    }
    ::close(fd);
}

std::unique_ptr<FoundJournal> ReadJournal(const QString& path)
{
    const int fd = ::open(EncodeFileName(path).constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid() || !Lock(fd, false)) {
        ::close(fd);
        return nullptr;
    }
    std::unique_ptr<FoundJournal> journal(new FoundJournal(fd, path));
    QByteArray bytes;
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        bytes.append(chunk, n);
    }
    // The zero bytes of the reserved part, and a record cut by the end of the run.
    if (const qsizetype zero = bytes.indexOf('\0'); zero >= 0)
        bytes.truncate(zero);
    bytes.truncate(bytes.lastIndexOf('\n') + 1);
    qsizetype start = 0;
    bool header = false;
    QString folder;
    QByteArray folderIdentity;
    qsizetype nOpen = 0; // the first announced pair without a result
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', start);
        const QList<QByteArray> fields = bytes.mid(start, end - start).split(' ');
        start = end + 1;
        const QByteArray& kind = fields.first();
        if (!header) {
            if (fields.size() != 3 || fields.at(0) + ' ' + fields.at(1) != kMagic)
                return nullptr;
            journal->m_total = fields.at(2).toLongLong();
            header = true;
        } else if (kind == "folder" && fields.size() == 3) {
            folder = Name(fields.at(1));
            folderIdentity = QByteArray::fromPercentEncoding(fields.at(2));
        } else if (kind == "rename" && fields.size() == 3) {
            journal->m_pairs.append({folder,
                                     folderIdentity,
                                     Name(fields.at(1)),
                                     Name(fields.at(2)),
                                     JournalPair::State::Announced,
                                     {}});
        } else if ((kind == "done" && fields.size() == 2) || (kind == "failed")) {
            if (nOpen < journal->m_pairs.size()) {
                JournalPair& pair = journal->m_pairs[nOpen++];
                pair.state =
                    kind == "done" ? JournalPair::State::Renamed : JournalPair::State::Failed;
                if (kind == "done")
                    pair.identity = QByteArray::fromPercentEncoding(fields.at(1));
            }
        }
    }
    if (!header)
        return nullptr;
    return journal;
}

QStringList JournalPaths(const QString& journalFolder)
{
    QStringList paths;
    const QFileInfoList entries = QDir(journalFolder)
                                      .entryInfoList({QStringLiteral("*") + QLatin1String(kSuffix)},
                                                     QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo& entry : entries)
        paths.append(entry.filePath());
    return paths;
}

#else // systems that keep no journals

struct RunJournal::Syncer {
};
RunJournal::RunJournal(int fd, QString path, qint64 end)
    : m_fd(fd), m_path(std::move(path)), m_end(end)
{
}
bool RunJournal::mapFrom(qint64, qint64)
{
    return false;
}
void RunJournal::unmap() {}
RunJournal::~RunJournal() = default;
std::unique_ptr<RunJournal> RunJournal::create(const QString&, qsizetype, QString*)
{
    return nullptr;
}
void RunJournal::add(const QByteArray&) {}
void RunJournal::enterFolder(const QString&, const QByteArray&) {}
void RunJournal::intend(const QString&, const QString&) {}
void RunJournal::renamed(const QByteArray&) {}
void RunJournal::failed() {}
bool RunJournal::flush()
{
    return true;
}
void RunJournal::remove() {}
std::optional<QString> JournalFolder(QString*)
{
    return QString();
}
QString NewJournalPath(const QString&)
{
    return QString();
}
FoundJournal::~FoundJournal() = default;
void FoundJournal::remove() {}
void RemoveEndedJournal(const QString&) {}
std::unique_ptr<FoundJournal> ReadJournal(const QString&)
{
    return nullptr;
}
QStringList JournalPaths(const QString&)
{
    return {};
}

#endif

bool StartRunJournal(qsizetype pairs, std::unique_ptr<RunJournal>* journal, QString* error)
{
    const std::optional<QString> folder = JournalFolder(error);
    if (!folder)
        return false;
    if (folder->isEmpty())
        return true; // a system that keeps no journals
    *journal = RunJournal::create(NewJournalPath(*folder), pairs, error);
    return *journal != nullptr;
}

} // namespace quillet
