// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A FAT file system image mounted through FUSE (fusefat), for tests that need a folder
// whose file system ignores case. Mounted on first use, unmounted when destroyed. Where
// the tools, root or FUSE are missing, Mount() returns an empty path and SkipReason() says
// why.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <unistd.h>

namespace quillet::test
{

class FatImage
{
public:
    ~FatImage()
    {
        if (!m_mount.isEmpty() && !Run("fusermount3", {"-u", m_mount}))
            Run("umount", {m_mount});
    }

    QString Mount()
    {
        if (m_bTried)
            return m_mount;
        m_bTried = true;
        for (const QString tool : {"fusefat", "mkfs.fat", "fusermount3"}) {
            if (Find(tool).isEmpty()) {
                m_skip = tool + " is not installed (packages fusefat, fuse3, dosfstools)";
                return {};
            }
        }
        if (geteuid() != 0) {
            m_skip = "mounting a FAT image through FUSE needs root here";
            return {};
        }
        if (access("/dev/fuse", R_OK | W_OK) != 0) {
            m_skip = "/dev/fuse is missing: no FUSE on this machine";
            return {};
        }
        const QString image = m_dir.path() + "/fat.img";
        const QString mount = m_dir.path() + "/mnt";
        QFile file(image);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(16 * 1024 * 1024)) {
            m_skip = "cannot create the image file";
            return {};
        }
        file.close();
        if (!Run(Find("mkfs.fat"), {image}) || !QDir().mkdir(mount)) {
            m_skip = "mkfs.fat failed";
            return {};
        }
        if (!Run("fusefat", {"-o", "rw+", image, mount}) || !IsMountPoint(mount)) {
            m_skip = "fusefat could not mount the image (FUSE unavailable?)";
            return {};
        }
        m_mount = mount;
        return m_mount;
    }

    QString SkipReason() const { return m_skip; }

private:
    static QString Find(const QString& tool)
    {
        const QString found = QStandardPaths::findExecutable(tool);
        return found.isEmpty() ? QStandardPaths::findExecutable(tool, {"/usr/sbin", "/sbin"})
                               : found;
    }

    static bool Run(const QString& program, const QStringList& args)
    {
        QProcess process;
        process.start(program, args);
        return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

    static bool IsMountPoint(const QString& path)
    {
        QFile mounts("/proc/self/mounts");
        if (!mounts.open(QIODevice::ReadOnly))
            return false;
        return mounts.readAll().contains(' ' + QFile::encodeName(path) + ' ');
    }

    QTemporaryDir m_dir;
    QString m_mount;
    QString m_skip;
    bool m_bTried = false;
};

} // namespace quillet::test
