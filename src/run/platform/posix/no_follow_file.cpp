// SPDX-License-Identifier: GPL-3.0-or-later
#include "no_follow_file.h"

#include "run/platform/fail.h"
#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet::posix
{

namespace
{

// The letters mkostemp puts in place of "XXXXXX".
constexpr int kUniqueLetters = 6;

QString Tr(const char* text)
{
    return QCoreApplication::translate("NoFollowFile", text);
}

QString SystemReason(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// Why the entry described by st may not be written, or an empty string when it may.
QString RefusedEntry(const struct stat& st)
{
    if (S_ISLNK(st.st_mode))
        return Tr("it is a symbolic link, which Quillet does not write through");
    if (!S_ISREG(st.st_mode))
        return Tr("it is not a regular file");
    if (st.st_uid != geteuid())
        return Tr("it belongs to another user");
    if (st.st_nlink != 1)
        return Tr("it has other names (hard links), which Quillet does not write through");
    return {};
}

bool WriteAll(int fd, const QByteArray& bytes, QString* error)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return Fail(error, SystemReason(written < 0 ? errno : ENOSPC));
        data += written;
        left -= written;
    }
    return true;
}

} // namespace

int OpenForWritingNoFollow(const QString& path, bool append, QString* error)
{
    const QByteArray encoded = QFile::encodeName(path);
    // O_NONBLOCK: a named pipe planted in place of the file must not hang the open.
    const int fd =
        ::open(encoded.constData(),
               O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600);
    if (fd < 0) {
        const int code = errno;
        struct stat st;
        if (code == ELOOP && ::lstat(encoded.constData(), &st) == 0 && S_ISLNK(st.st_mode))
            Fail(error, RefusedEntry(st));
        else
            Fail(error, SystemReason(code));
        return -1;
    }
    // Checked through the open descriptor, before anything is emptied or written.
    struct stat st;
    QString refused = ::fstat(fd, &st) == 0 ? RefusedEntry(st) : SystemReason(errno);
    if (refused.isEmpty() && !append && ::ftruncate(fd, 0) != 0)
        refused = SystemReason(errno);
    if (refused.isEmpty() && append && ::lseek(fd, 0, SEEK_END) < 0)
        refused = SystemReason(errno);
    if (refused.isEmpty() && ::fcntl(fd, F_SETFL, append ? O_APPEND : 0) != 0)
        refused = SystemReason(errno);
    if (!refused.isEmpty()) {
        ::close(fd);
        Fail(error, refused);
        return -1;
    }
    return fd;
}

bool ReplaceFileNoFollow(const QString& path, const QByteArray& bytes, QString* error)
{
    const QByteArray encoded = QFile::encodeName(path);
    struct stat st;
    // Only the entry is replaced, never written to: a link or anything but a regular file is
    // refused; a file of another name or owner is replaced like any other.
    if (::lstat(encoded.constData(), &st) == 0) {
        if (S_ISLNK(st.st_mode) || !S_ISREG(st.st_mode))
            return Fail(error, RefusedEntry(st));
    } else if (errno != ENOENT) {
        return Fail(error, SystemReason(errno));
    }

    QByteArray temporary = encoded + '.' + QByteArray(kUniqueLetters, 'X');
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC); // O_CREAT | O_EXCL, mode 0600
    if (fd < 0)
        return Fail(error, SystemReason(errno));
    bool ok = WriteAll(fd, bytes, error);
    if (ok && ::fsync(fd) != 0)
        ok = Fail(error, SystemReason(errno));
    if (::close(fd) != 0 && ok)
        ok = Fail(error, SystemReason(errno));
    // A link put in place while the file was written is refused as well; rename itself would
    // only replace the link, never write through it.
    if (ok && ::lstat(encoded.constData(), &st) == 0 && S_ISLNK(st.st_mode))
        ok = Fail(error, RefusedEntry(st));
    if (ok && ::rename(temporary.constData(), encoded.constData()) != 0)
        ok = Fail(error, SystemReason(errno));
    if (!ok)
        ::unlink(temporary.constData());
    return ok;
}

bool IsReplacementOf(const QString& name, const QString& base)
{
    return name.size() == base.size() + 1 + kUniqueLetters && name.startsWith(base) &&
           name.at(base.size()) == QLatin1Char('.');
}

} // namespace quillet::posix
