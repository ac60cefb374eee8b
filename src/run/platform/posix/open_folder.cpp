// SPDX-License-Identifier: GPL-3.0-or-later
#include "open_folder.h"

#include "safe_rename.h"

#include "names/file_name_bytes.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace quillet::posix
{

namespace
{

class HeldFolder final : public RunFolder
{
public:
    HeldFolder(const QString& path, int fd, const NameRules& rules)
        : RunFolder(path), m_fd(fd), m_rules(rules)
    {
    }
    ~HeldFolder() override { close(m_fd); }

    RenameResult rename(const QString& from, const QString& to) override
    {
        return SafeRenameAt(m_fd, from, to, m_rules);
    }

    std::optional<QByteArray> fileIdentity(const QString& name) const override
    {
        return FileIdentityAt(m_fd, EncodeFileName(name));
    }

    std::optional<QByteArray> identityAfterRename(const QByteArray& before,
                                                  const QString& name) const override
    {
        // Device, inode and birth time stay with the file when it is renamed; only an
        // identity by the time of the last change (no birth time kept) is taken anew.
        if (IdentityHasBirthTime(before))
            return before;
        return fileIdentity(name);
    }

private:
    int m_fd;
    NameRules m_rules;
};

} // namespace

bool IdentityHasBirthTime(const QByteArray& identity)
{
    return identity.contains(":b");
}

QByteArray FolderIdentityOf(const struct stat& st)
{
    return QByteArray::number(quint64(st.st_dev)) + ':' + QByteArray::number(quint64(st.st_ino));
}

// Device and inode, and the time the file was made: a file removed and made anew under
// the same name may well get the same inode number back (ext4 hands out a freed inode
// again at once), never the same birth time. Where the file system keeps no birth time
// (statx without STATX_BTIME, or no statx), the time of the inode's last change stands
// in for it; a rename changes that time, so the identity is taken after the rename, and
// a file written to or given other rights since is then no longer taken for the same.
std::optional<QByteArray> FileIdentityAt(int dir, const QByteArray& name)
{
#if defined(STATX_BTIME)
    struct statx stx;
    if (statx(dir, name.constData(), AT_SYMLINK_NOFOLLOW, STATX_INO | STATX_BTIME | STATX_CTIME,
              &stx) == 0) {
        const bool born = (stx.stx_mask & STATX_BTIME) != 0;
        const statx_timestamp& time = born ? stx.stx_btime : stx.stx_ctime;
        // Written digit by digit: a run takes one identity per rename, and snprintf's parsing
        // of its format cost more than the numbers. At most 75 characters.
        char text[96];
        std::size_t length = 0;
        const auto number = [&](unsigned long long value) {
            char digits[20];
            int count = 0;
            do
                digits[count++] = char('0' + value % 10);
            while ((value /= 10) != 0);
            while (count > 0)
                text[length++] = digits[--count];
        };
        number(quint64(makedev(stx.stx_dev_major, stx.stx_dev_minor)));
        text[length++] = ':';
        number(quint64(stx.stx_ino));
        text[length++] = ':';
        text[length++] = born ? 'b' : 'c';
        if (time.tv_sec < 0)
            text[length++] = '-';
        number(time.tv_sec < 0 ? 0ULL - static_cast<unsigned long long>(time.tv_sec)
                               : static_cast<unsigned long long>(time.tv_sec));
        text[length++] = '.';
        number(quint32(time.tv_nsec));
        return QByteArray(text, qsizetype(length));
    }
    if (errno != ENOSYS)
        return std::nullopt;
#endif
    struct stat st;
    if (fstatat(dir, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    return FolderIdentityOf(st) + ":c" + QByteArray::number(qint64(st.st_ctim.tv_sec)) + '.' +
           QByteArray::number(quint32(st.st_ctim.tv_nsec));
}

std::unique_ptr<RunFolder> OpenRunFolder(const QString& folder, const QByteArray& expectedIdentity,
                                         const NameRules& rules, QString* error)
{
    const QByteArray path = EncodeFileName(folder.isEmpty() ? QStringLiteral(".") : folder);
    const int fd = open(path.constData(), kFolderHandleFlags);
    struct stat st;
    // The identity is read from the descriptor itself: the folder held is the folder checked.
    const bool listed = fd >= 0 && fstat(fd, &st) == 0 &&
                        (expectedIdentity.isEmpty() || FolderIdentityOf(st) == expectedIdentity);
    if (!listed) {
        if (fd >= 0)
            close(fd);
        if (!expectedIdentity.isEmpty() && error)
            *error = FolderNotListedText(folder);
        return nullptr;
    }
    return std::make_unique<HeldFolder>(folder, fd, rules);
}

} // namespace quillet::posix
