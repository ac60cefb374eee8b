// SPDX-License-Identifier: GPL-3.0-or-later
#include "folder_run_lock.h"

#include "private_folder.h"

#include "names/file_name_bytes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

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

class FlockedFolder final : public FolderRunLock
{
public:
    explicit FlockedFolder(int fd) : m_fd(fd) {}
    ~FlockedFolder() override { close(m_fd); } // closing the last descriptor lets go of the lock

private:
    int m_fd;
};

std::unique_ptr<FolderRunLock> Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return nullptr;
}

QString Errno()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

QString DefaultLockFolder()
{
    return CacheFolder(QStringLiteral("quillet-locks"));
}

std::unique_ptr<FolderRunLock> LockFolderForRun(const QString& lockFolder, const QString& folder,
                                                QString* error)
{
    struct stat target;
    const bool found = stat(EncodeFileName(folder).constData(), &target) == 0;
    if (!found || !S_ISDIR(target.st_mode))
        return Fail(
            error,
            QCoreApplication::translate("Platform",
                                        "The folder \"%1\" cannot be locked for the run: %2.")
                .arg(folder, found ? QCoreApplication::translate("Platform", "it is not a folder")
                                   : Errno()));
    QString reason;
    const int dirFd = OpenOwnFolder(lockFolder, &reason);
    if (dirFd < 0)
        return Fail(error, QCoreApplication::translate("Platform",
                                                       "The lock folder \"%1\" cannot be used: %2.")
                               .arg(lockFolder, reason));
    const QByteArray name = QByteArray::number(quint64(target.st_dev), 16) + '-' +
                            QByteArray::number(quint64(target.st_ino), 16) + ".lock";
    const int fd = openat(dirFd, name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    const int openError = errno;
    close(dirFd);
    if (fd < 0)
        return Fail(error, QCoreApplication::translate("Platform",
                                                       "The lock folder \"%1\" cannot be used: %2.")
                               .arg(lockFolder, QString::fromLocal8Bit(std::strerror(openError))));
    int result;
    do
        result = flock(fd, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result != 0) {
        const bool held = errno == EWOULDBLOCK;
        const QString why = Errno();
        close(fd);
        return Fail(error,
                    held ? QCoreApplication::translate(
                               "Platform", "Another rename run in the folder \"%1\" is still "
                                           "going on. Try again when it has finished.")
                               .arg(folder)
                         : QCoreApplication::translate(
                               "Platform", "The folder \"%1\" cannot be locked for the run: %2.")
                               .arg(folder, why));
    }
    return std::make_unique<FlockedFolder>(fd);
}

} // namespace quillet::posix
