#include "private_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet::posix
{

namespace
{

bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
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
    else if ((st.st_mode & 077) != 0 && fchmod(fd, 0700) != 0)
        ok = Fail(error, QCoreApplication::translate("PrivateFolder",
                                                     "The folder \"%1\" cannot be made private: %2")
                             .arg(clean, QString::fromLocal8Bit(std::strerror(errno))));
    close(fd);
    if (!ok)
        return std::nullopt;
    return clean.endsWith(QLatin1Char('/')) ? clean : clean + QLatin1Char('/');
}

QString DefaultScriptFolder()
{
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty())
        cache = QDir::homePath() + QStringLiteral("/.cache");
    return cache + QStringLiteral("/quillet");
}

} // namespace quillet::posix
