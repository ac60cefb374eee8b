// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

namespace quillet
{

// The journal of one rename run: a file in the user's private journal folder that says, for
// a run cut short (the program killed, the machine off), which files it renamed and what they
// were called before, so that the next start can give them their old names back.
//
// The file is appended to only. A header names the number of pairs of the run; a folder
// record the folder the renames that follow act in, with its identity; each pair is written
// as an intention before its rename, and its result (the file's identity after the rename, or
// a failure) after it. The writer holds an exclusive flock(2) on the file for as long as it
// lives: a journal whose lock can be taken belongs to a run that has ended, and a journal
// still there then belongs to a run that was interrupted, since a run that ends normally
// removes its journal once its outcome has been read.
//
// The file is mapped into memory: a record is in the system's cache of the file as soon as it
// is written, with no call to the system (so a killed process loses nothing, and a record costs
// a run next to nothing), and on the disk about kSyncIntervalMs later: fdatasync(2), batched,
// on a thread of its own, so that the renames never wait for the disk. The mapped part is
// reserved on the disk before it is written (a full disk fails the journal instead of the
// process); the file ends in zero bytes up to the end of that part while the run goes on.
class RunJournal
{
public:
    ~RunJournal(); // closes the file and lets go of its lock; the file stays

    // How long announced renames may wait before the journal is synced to the disk.
    static constexpr int kSyncIntervalMs = 50;

    // Starts the journal at path (a name in the journal folder, see NewJournalPath) of a run of
    // `pairs` pairs: written under a temporary name, locked, then moved to path, so that whoever
    // finds it under path finds it whole and locked. Nothing, with the reason in *error, when
    // it cannot be written (and on systems that keep no journals).
    static std::unique_ptr<RunJournal> create(const QString& path, qsizetype pairs, QString* error);

    const QString& path() const { return m_path; }

    // The renames that follow act in folder (ending in its separator), whose identity is
    // Platform::folderIdentity of it.
    void enterFolder(const QString& folder, const QByteArray& identity);
    // Announces the rename of from to to; the announcement must be flushed before the rename.
    void intend(const QString& from, const QString& to);
    // The result of the oldest announced rename without one: renamed, the file's identity
    // now; or not renamed.
    void renamed(const QByteArray& identity);
    void failed();
    // Whether every record so far is in the file (false once the disk was full); the next
    // sync takes them to the disk. Call it before the renames the records announce.
    bool flush();
    // Removes the file and closes it: the run's outcome has been read.
    void remove();

private:
    struct Syncer;

    RunJournal(int fd, QString path, qint64 end);
    void add(const QByteArray& record);
    bool mapFrom(qint64 offset, qint64 length);
    void unmap();

    int m_fd;
    QString m_path;
    char* m_map = nullptr;  // the mapped part of the file
    qint64 m_mapStart = 0;  // its offset in the file
    qint64 m_mapLength = 0; // its length
    qint64 m_end = 0;       // the end of the records
    std::unique_ptr<Syncer> m_syncer;
    QByteArray m_record; // the record being written, its room kept from one to the next
    bool m_bFailed = false;
};

// The folder of the user's journals: "quillet-journals" in the user's cache folder
// ($XDG_CACHE_HOME, else ~/.cache), beside the script and lock folders. Created with mode 0700
// when missing; a link, or a folder of another user, is refused. Ends in "/". Nothing, with
// the reason in *error, when it cannot be used. An empty string on systems that keep no
// journals (Windows): runs there go without one.
std::optional<QString> JournalFolder(QString* error);

// A fresh journal path in journalFolder (ending in "/"), unique to this process and call.
QString NewJournalPath(const QString& journalFolder);

// Starts the journal of a run of `pairs` pairs in the user's journal folder, in *journal.
// True with *journal left empty on systems that keep no journals; false, with the reason in
// *error, when the journal cannot be kept.
bool StartRunJournal(qsizetype pairs, std::unique_ptr<RunJournal>* journal, QString* error);

// How many renames a run announces to its journal in one write.
inline constexpr qsizetype kAnnouncedAtOnce = 64;

// One pair of a journal as read back.
struct JournalPair {
    enum class State { Renamed, Failed, Announced };
    QString folder; // ending in its separator
    QByteArray folderIdentity;
    QString from;
    QString to;
    State state = State::Announced; // Announced: the run stopped before telling the result
    QByteArray identity;            // for Renamed: the file's identity after the rename
};

// A journal found in the journal folder whose run has ended, locked by the reader until
// it is destroyed (or the journal removed), so that one program at a time takes it.
class FoundJournal
{
public:
    ~FoundJournal();
    FoundJournal(const FoundJournal&) = delete;
    FoundJournal& operator=(const FoundJournal&) = delete;

    const QString& path() const { return m_path; }
    qsizetype total() const { return m_total; } // the pairs of the run
    const QList<JournalPair>& pairs() const { return m_pairs; }
    // Removes the journal and lets go of it.
    void remove();

private:
    friend std::unique_ptr<FoundJournal> ReadJournal(const QString& path);
    FoundJournal(int fd, QString path) : m_fd(fd), m_path(std::move(path)) {}
    int m_fd;
    QString m_path;
    qsizetype m_total = 0;
    QList<JournalPair> m_pairs;
};

// The journal at path, locked and read; nothing while its run still holds it, or when it is
// no journal (a file cut short before its header is taken for none).
std::unique_ptr<FoundJournal> ReadJournal(const QString& path);

// Removes the journal at path, without reading it, once its run has let go of it: the run's
// outcome has been read. A journal still locked by its run stays.
void RemoveEndedJournal(const QString& path);

// The paths of the journals in journalFolder, oldest first.
QStringList JournalPaths(const QString& journalFolder);

} // namespace quillet
