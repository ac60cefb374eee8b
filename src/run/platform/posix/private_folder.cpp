// SPDX-License-Identifier: GPL-3.0-or-later
#include "private_folder.h"

#include "names/file_name_bytes.h"
#include "names/folder_path.h"
#include "no_follow_file.h"
#include "run/platform/fail.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet::posix
{

namespace
{

// The entries the program itself puts in its script folder.
bool IsOwnEntryName(const QString& name)
{
    const QString script = QLatin1String(kScriptFileName);
    return name == script || name == QLatin1String(kLogFileName) || IsReplacementOf(name, script);
}

// The first entry of the open folder fd that the program did not put there (a name it never
// writes, a link, a folder, a file of another user or with other names), as a path under
// folder; an empty string when there is none.
QString ForeignEntry(int fd, const QString& folder, QString* error)
{
    DIR* dir = fdopendir(dup(fd));
    if (!dir) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return folder;
    }
    QString foreign;
    while (const dirent* entry = readdir(dir)) {
        const char* raw = entry->d_name;
        if (std::strcmp(raw, ".") == 0 || std::strcmp(raw, "..") == 0)
            continue;
        const QString name = QFile::decodeName(raw);
        struct stat st;
        const bool own = IsOwnEntryName(name) && fstatat(fd, raw, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                         S_ISREG(st.st_mode) && st.st_uid == geteuid() && st.st_nlink == 1;
        if (!own) {
            foreign = folder + QLatin1Char('/') + name;
            break;
        }
    }
    closedir(dir);
    return foreign;
}

} // namespace

std::optional<QString> EnsurePrivateFolder(const QString& path, QString* error)
{
    const QString clean = QDir::cleanPath(path);
    const QString parent = QFileInfo(clean).path();
    if (!QDir().mkpath(parent)) {
        Fail(error,
             QCoreApplication::translate("PrivateFolder", "The folder \"%1\" could not be created.")
                 .arg(parent));
        return std::nullopt;
    }
    const QByteArray encoded = QFile::encodeName(clean);
    if (mkdir(encoded.constData(), 0700) != 0 && errno != EEXIST) {
        Fail(error, QCoreApplication::translate("PrivateFolder",
                                                "The folder \"%1\" could not be created: %2")
                        .arg(clean, QString::fromLocal8Bit(std::strerror(errno))));
        return std::nullopt;
    }
    // Opened without following a symbolic link, then checked through the open descriptor, so
    // the folder checked is the folder used.
    const int fd = open(encoded.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        Fail(error,
             QCoreApplication::translate("PrivateFolder", "The folder \"%1\" cannot be used: %2")
                 .arg(clean,
                      errno == ELOOP || errno == ENOTDIR
                          ? QCoreApplication::translate("PrivateFolder", "it is not a plain folder")
                          : QString::fromLocal8Bit(std::strerror(errno))));
        return std::nullopt;
    }
    struct stat st;
    bool ok = fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    if (!ok)
        Fail(error,
             QCoreApplication::translate(
                 "PrivateFolder", "The folder \"%1\" cannot be used: it is not a plain folder.")
                 .arg(clean));
    else if (st.st_uid != geteuid())
        ok = Fail(error, QCoreApplication::translate(
                             "PrivateFolder", "The folder \"%1\" cannot be used: it belongs to "
                                              "another user.")
                             .arg(clean));
    else if ((st.st_mode & 07777) != 0700 && fchmod(fd, 0700) != 0)
        ok = Fail(error, QCoreApplication::translate("PrivateFolder",
                                                     "The folder \"%1\" cannot be made private: %2")
                             .arg(clean, QString::fromLocal8Bit(std::strerror(errno))));
    else if (fstat(fd, &st) != 0 || (st.st_mode & 07777) != 0700)
        ok = Fail(error, QCoreApplication::translate("PrivateFolder",
                                                     "The folder \"%1\" cannot be used: its "
                                                     "mode is not 0700 (owner only).")
                             .arg(clean));
    if (ok) {
        // Entries another user could have planted while the folder was open to others (links
        // to the user's own files among them) are never written through: refuse the folder.
        QString reason;
        const QString foreign = ForeignEntry(fd, clean, &reason);
        if (!foreign.isEmpty())
            ok = Fail(error,
                      QCoreApplication::translate(
                          "PrivateFolder",
                          "The folder \"%1\" cannot be used: it holds \"%2\", which "
                          "Quillet did not put there. Remove that entry and try again.")
                              .arg(clean, foreign) +
                          (reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(reason)));
    }
    close(fd);
    if (!ok)
        return std::nullopt;
    return WithSeparator(clean);
}

QString DefaultScriptFolder()
{
    return CacheFolder(QStringLiteral("quillet"));
}

QString CacheFolder(const QString& name)
{
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty())
        cache = QDir::homePath() + QStringLiteral("/.cache");
    return cache + QLatin1Char('/') + name;
}

int OpenOwnFolder(const QString& path, QString* reason)
{
    const QString clean = QDir::cleanPath(path);
    const QByteArray bytes = EncodeFileName(clean);
    QDir().mkpath(QFileInfo(clean).path());
    if (mkdir(bytes.constData(), 0700) != 0 && errno != EEXIST) {
        *reason = QString::fromLocal8Bit(std::strerror(errno));
        return -1;
    }
    const int fd = open(bytes.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        *reason = errno == ELOOP || errno == ENOTDIR
                      ? QCoreApplication::translate("Platform", "it is not a plain folder")
                      : QString::fromLocal8Bit(std::strerror(errno));
        return -1;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || st.st_uid != geteuid() ||
        ((st.st_mode & 077) != 0 && fchmod(fd, 0700) != 0)) {
        *reason = QCoreApplication::translate("Platform", "it belongs to another user");
        close(fd);
        return -1;
    }
    return fd;
}

} // namespace quillet::posix
