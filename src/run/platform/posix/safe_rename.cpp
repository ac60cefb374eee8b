// SPDX-License-Identifier: GPL-3.0-or-later
#include "safe_rename.h"

#include "names/case_mapping.h"
#include "names/file_name_bytes.h"
#include "names/name_faults.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/syscall.h>
#endif

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace quillet::posix
{

namespace
{

bool NotSupported(int error)
{
    return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP ||
           error == EPERM || error == EMLINK || error == EXDEV;
}

// Where the file system has neither an atomic no-replace rename nor hard links (FAT through
// FUSE, NTFS or exFAT through FUSE): the new name is first created as an empty file with
// O_CREAT|O_EXCL, which fails on an existing name atomically, and the file is then renamed
// over that reservation. No other run, and no other program that creates its files with
// O_EXCL, can take the name in between; one that writes the name without O_EXCL in that
// instant has its file replaced. A failed rename removes the reservation again, as long as
// it is still the empty file made here. Returns 0 or the error number.
int MoveOntoReservation(int dir, const QByteArray& from, const QByteArray& to)
{
    const int reservation =
        openat(dir, to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (reservation < 0)
        return errno;
    struct stat reserved;
    const bool known = fstat(reservation, &reserved) == 0;
    if (renameat(dir, from.constData(), dir, to.constData()) == 0) {
        close(reservation);
        return 0;
    }
    const int error = errno;
    struct stat now;
    if (known && fstatat(dir, to.constData(), &now, AT_SYMLINK_NOFOLLOW) == 0 &&
        now.st_dev == reserved.st_dev && now.st_ino == reserved.st_ino && now.st_size == 0)
        unlinkat(dir, to.constData(), 0);
    close(reservation);
    return error;
}

// Renames `from` to `to`, both names in the folder `dir`, and fails with EEXIST when `to`
// exists. Returns 0 or the error number.
int MoveNoReplace(int dir, const QByteArray& from, const QByteArray& to)
{
#if defined(__linux__) && defined(SYS_renameat2)
    if (syscall(SYS_renameat2, dir, from.constData(), dir, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP && errno != EOPNOTSUPP)
        return errno;
#endif
    // No atomic no-replace rename here: a hard link is created atomically or fails on an
    // existing name, and the old name is removed after it.
    if (linkat(dir, from.constData(), dir, to.constData(), 0) == 0) {
        if (unlinkat(dir, from.constData(), 0) == 0)
            return 0;
        const int error = errno;
        unlinkat(dir, to.constData(), 0);
        return error;
    }
    if (!NotSupported(errno))
        return errno;
    return MoveOntoReservation(dir, from, to);
}

// The names of the entries of the folder `folder` that equal name when case is ignored;
// `exact` is set when one of them is spelled exactly like name.
QStringList EntriesLike(int folder, const QString& name, bool* exact)
{
    QStringList found;
    *exact = false;
    // The folder may be held for its path alone: the listing reads it through a descriptor
    // of its own.
    const int listing = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = listing < 0 ? nullptr : fdopendir(listing);
    if (!dir) {
        if (listing >= 0)
            close(listing);
        return found;
    }
    const QByteArray encoded = EncodeFileName(name);
    while (const dirent* entry = readdir(dir)) {
        if (encoded == entry->d_name)
            *exact = true;
        const QString entryName = DecodeFileName(entry->d_name);
        if (SameNameIgnoringCase(entryName, name))
            found.append(entryName);
    }
    closedir(dir);
    return found;
}

QString Reason(int error)
{
    switch (error) {
    case ENOENT:
        return QCoreApplication::translate("SafeRename", "the file does not exist in the folder");
    case EEXIST:
    case ENOTEMPTY:
        return QCoreApplication::translate("SafeRename",
                                           "a file of the new name already exists in the folder");
    case EACCES:
    case EPERM:
        return QCoreApplication::translate("SafeRename", "permission denied");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

RenameResult Failed(const QString& reason)
{
    return RenameResult::answer(false, reason);
}

// A change of case alone on a file system that ignores case: through a temporary name.
RenameResult RenameCaseOnly(int folder, const QByteArray& from, const QByteArray& to,
                            const QString& toName)
{
    QByteArray temporary;
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        temporary =
            ".quillet-" + QByteArray::number(getpid()) + '-' + QByteArray::number(attempt) + ".tmp";
        error = MoveNoReplace(folder, from, temporary);
    }
    if (error != 0)
        return Failed(QCoreApplication::translate("SafeRename", "the change of case failed: %1")
                          .arg(Reason(error)));
    error = MoveNoReplace(folder, temporary, to);
    if (error != 0) {
        const int restore = MoveNoReplace(folder, temporary, from);
        if (restore != 0)
            return Failed(QCoreApplication::translate(
                              "SafeRename", "the change of case failed (%1) and the file is left "
                                            "under the name \"%2\"")
                              .arg(Reason(error), DecodeFileName(temporary)));
        return Failed(QCoreApplication::translate("SafeRename", "the change of case failed: %1")
                          .arg(Reason(error)));
    }
    bool exact = false;
    EntriesLike(folder, toName, &exact);
    if (!exact)
        return Failed(
            QCoreApplication::translate("SafeRename", "the file system did not keep the new case"));
    return RenameResult::answer(true);
}

} // namespace

RenameResult SafeRenameInFolder(const QString& folder, const QString& from, const QString& to,
                                const NameRules& rules)
{
    const QByteArray path = EncodeFileName(folder.isEmpty() ? QStringLiteral(".") : folder);
    const int dir = open(path.constData(), kFolderHandleFlags);
    if (dir < 0)
        return Failed(Reason(errno == ENOTDIR ? ENOENT : errno));
    const RenameResult outcome = SafeRenameAt(dir, from, to, rules);
    close(dir);
    return outcome;
}

RenameResult SafeRenameAt(int dir, const QString& from, const QString& to, const NameRules& rules)
{
    // The old name only has to name a file of the folder; the new one must be kept as it is.
    const NameRules plainNames = NameRules::Posix();
    if (const NameFault fault = FaultOf(plainNames, from); fault != NameFault::None)
        return Failed(QCoreApplication::translate("SafeRename", "the name \"%1\" is refused: %2")
                          .arg(from, DescribeNameFault(fault, from, plainNames)));
    if (const NameFault fault = FaultOf(rules, to); fault != NameFault::None)
        return Failed(
            QCoreApplication::translate("SafeRename", "the new name \"%1\" is refused: %2")
                .arg(to, DescribeNameFault(fault, to, rules)));

    const QByteArray fromName = EncodeFileName(from);
    const QByteArray toName = EncodeFileName(to);

    if (from == to) {
        struct stat st;
        if (fstatat(dir, fromName.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            return Failed(Reason(errno));
        return RenameResult::answer(true);
    }

    const int error = MoveNoReplace(dir, fromName, toName);
    if (error == 0)
        return RenameResult::answer(true);
    if (error != EEXIST || !SameNameIgnoringCase(from, to))
        return Failed(Reason(error));
    // The new name "exists". When the only entry that matches it ignoring case is the file
    // itself, the file system ignores case and this is a change of case alone.
    bool exact = false;
    const QStringList like = EntriesLike(dir, to, &exact);
    if (exact || like != QStringList{from})
        return Failed(Reason(EEXIST));
    return RenameCaseOnly(dir, fromName, toName, to);
}

} // namespace quillet::posix
