// SPDX-License-Identifier: GPL-3.0-or-later
// Drives: the mount table, the drive of a folder, and the drive change with its
// "no disk" message through an injected drive check.
#include "names/file_name_bytes.h"
#include "source/drive_change.h"
#include "source/mount_table.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace quillet;

namespace
{

// A drive check the test controls: a drive is ready while its text is in ready.
class FakeDrives : public DriveProvider
{
public:
    QList<Drive> drives;
    QStringList ready;
    mutable int nChecks = 0;
    QList<Drive> Drives() const override { return drives; }
    bool IsReady(const Drive& drive) const override
    {
        ++nChecks;
        return ready.contains(drive.text);
    }
};

} // namespace

class TestDrives : public QObject
{
    Q_OBJECT

private slots:
    void parseMountInfo();
    void userVolumes_data();
    void userVolumes();
    void drivesFromMounts();
    void driveOfFolder_data();
    void driveOfFolder();
    void changeDrive_data();
    void changeDrive();
    void rememberedFolder();
    void systemDrives();
};

void TestDrives::parseMountInfo()
{
#ifdef Q_OS_WIN
    QSKIP("The mount table is read on POSIX systems only");
#endif
    const QByteArray text =
        "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
        "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
        "40 27 8:17 / /media/me/My\\040Disk rw,nosuid shared:5 master:1 - vfat /dev/sdb1 rw\n"
        "garbage line\n"
        "41 27 8:18 / /mnt/bad\\377name rw - ext4 /dev/sdc1 rw\n";
    const QList<MountEntry> entries = ParseMountInfo(text);
    QCOMPARE(entries.size(), 4);
    QCOMPARE(entries.at(0).mountPoint, QStringLiteral("/proc"));
    QCOMPARE(entries.at(0).fsType, QStringLiteral("proc"));
    QCOMPARE(entries.at(2).mountPoint, QStringLiteral("/media/me/My Disk"));
    QCOMPARE(entries.at(2).fsType, QStringLiteral("vfat"));
    QCOMPARE(EncodeFileName(entries.at(3).mountPoint), QByteArray("/mnt/bad\xffname"));

    const QList<MountEntry> old = ParseMounts("/dev/sdb1 /media/usb vfat rw 0 0\n");
    QCOMPARE(old.size(), 1);
    QCOMPARE(old.at(0).mountPoint, QStringLiteral("/media/usb"));
}

void TestDrives::userVolumes_data()
{
    QTest::addColumn<QString>("mountPoint");
    QTest::addColumn<QString>("fsType");
    QTest::addColumn<bool>("user");
    QTest::newRow("usb stick") << "/media/me/STICK"
                               << "vfat" << true;
    QTest::newRow("udisks under /run/media") << "/run/media/me/DISK"
                                             << "exfat" << true;
    QTest::newRow("home partition") << "/home"
                                    << "ext4" << true;
    QTest::newRow("network share") << "/mnt/nas"
                                   << "nfs4" << true;
    QTest::newRow("proc") << "/proc"
                          << "proc" << false;
    QTest::newRow("sysfs") << "/sys"
                           << "sysfs" << false;
    QTest::newRow("cgroup") << "/sys/fs/cgroup/cpu"
                            << "cgroup" << false;
    QTest::newRow("cgroup2 elsewhere") << "/mnt/cg"
                                       << "cgroup2" << false;
    QTest::newRow("devpts") << "/dev/pts"
                            << "devpts" << false;
    QTest::newRow("tmpfs under /run") << "/run/user/1000"
                                      << "tmpfs" << false;
    QTest::newRow("tmpfs under /dev") << "/dev/shm"
                                      << "tmpfs" << false;
    QTest::newRow("mqueue") << "/dev/mqueue"
                            << "mqueue" << false;
    QTest::newRow("portal") << "/media/portal"
                            << "fuse.portal" << false;
    QTest::newRow("boot partition") << "/boot/efi"
                                    << "vfat" << false;
    QTest::newRow("snap") << "/snap/core/1"
                          << "squashfs" << false;
    QTest::newRow("docker internals") << "/var/lib/docker/overlay2/x/merged"
                                      << "overlay" << false;
    QTest::newRow("/runner is not /run") << "/runner"
                                         << "ext4" << true;
    QTest::newRow("sandbox tmpfs under /mnt") << "/mnt/sandboxing/tools/python"
                                              << "tmpfs" << false;
    QTest::newRow("container's file mounted over /etc/hosts") << "/etc/hosts"
                                                              << "ext4" << false;
    QTest::newRow("hidden folder in a path") << "/mnt/.sandbox/env"
                                             << "ext4" << false;
}

void TestDrives::userVolumes()
{
    QFETCH(QString, mountPoint);
    QFETCH(QString, fsType);
    QFETCH(bool, user);
    QCOMPARE(IsUserVolume({mountPoint, fsType}), user);
}

void TestDrives::drivesFromMounts()
{
    const QList<MountEntry> mounts{{"/proc", "proc"},    {"/", "ext4"},
                                   {"/media/a", "vfat"}, {"/dev/shm", "tmpfs"},
                                   {"/media/a", "vfat"}, {"/home", "ext4"}};
    const QList<Drive> drives = DrivesFromMounts(mounts);
    QCOMPARE(drives, (QList<Drive>{{"/", "/"}, {"/media/a", "/media/a"}, {"/home", "/home"}}));
    QCOMPARE(DrivesFromMounts({}), (QList<Drive>{{"/", "/"}}));
}

void TestDrives::driveOfFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("drive");
    QTest::newRow("root") << "/" << 0;
    QTest::newRow("under root") << "/home/me" << 0;
    QTest::newRow("mount point itself") << "/media/usb" << 1;
    QTest::newRow("inside the volume") << "/media/usb/photos" << 1;
    QTest::newRow("similar name is not inside") << "/media/usb2/x" << 0;
    QTest::newRow("nested volume wins") << "/media/usb/inner/deep" << 2;
}

void TestDrives::driveOfFolder()
{
    QFETCH(QString, folder);
    QFETCH(int, drive);
    const DriveFolders folders(
        {{"/", "/"}, {"/media/usb", "/media/usb"}, {"/media/usb/inner", "/media/usb/inner"}});
    QCOMPARE(folders.DriveIndexOf(folder), drive);
}

void TestDrives::changeDrive_data()
{
    QTest::addColumn<bool>("readyAtFirst");
    QTest::addColumn<bool>("insertedOnMessage");
    QTest::addColumn<bool>("moved");
    QTest::addColumn<int>("messages");
    QTest::newRow("ready") << true << false << true << 0;
    QTest::newRow("medium inserted before OK") << false << true << true << 1;
    QTest::newRow("still no medium") << false << false << false << 1;
}

void TestDrives::changeDrive()
{
    QFETCH(bool, readyAtFirst);
    QFETCH(bool, insertedOnMessage);
    QFETCH(bool, moved);
    QFETCH(int, messages);

    QTemporaryDir current, volume;
    QVERIFY(current.isValid() && volume.isValid());
    const QString startFolder = current.path();
    FakeDrives provider;
    provider.drives = {{QDir::rootPath(), QDir::rootPath()}, {"a:", volume.path()}};
    if (readyAtFirst)
        provider.ready = QStringList{"a:"};
    const DriveFolders folders(provider.Drives());

    QStringList shown;
    const DriveChangeResult result =
        ChangeDrive(provider, folders, 1, startFolder, [&](const QString& text) {
            shown.append(text);
            if (insertedOnMessage)
                provider.ready.append("a:");
        });

    QCOMPARE(shown.size(), messages);
    for (const QString& text : shown)
        QCOMPARE(text, QStringLiteral("No Disk was found on drive a:"));
    QCOMPARE(provider.nChecks, readyAtFirst ? 1 : 2);
    QCOMPARE(result.bMoved, moved);
    if (moved) {
        QCOMPARE(result.strFolder, volume.path());
        QCOMPARE(result.nDrive, 1);
    } else {
        // Stays on the folder it showed; the selector goes back to that folder's drive.
        QCOMPARE(result.strFolder, startFolder);
        QCOMPARE(result.nDrive, 0);
    }
}

void TestDrives::rememberedFolder()
{
    QTemporaryDir volume;
    QVERIFY(volume.isValid());
    const QString root = volume.path();
    QVERIFY(QDir().mkpath(root + "/photos/2024"));
    FakeDrives provider;
    provider.drives = {{"/", "/"}, {root, root}};
    provider.ready = QStringList{"/", root};
    DriveFolders folders(provider.Drives());

    folders.NoteFolder("/usr");
    folders.NoteFolder(root + "/photos/2024");
    QCOMPARE(ChangeDrive(provider, folders, 1, "/usr", {}).strFolder, root + "/photos/2024");
    QCOMPARE(ChangeDrive(provider, folders, 0, root, {}).strFolder, QStringLiteral("/usr"));

    // A remembered folder removed meanwhile gives way to the drive's root.
    QVERIFY(QDir(root + "/photos").removeRecursively());
    QCOMPARE(ChangeDrive(provider, folders, 1, "/usr", {}).strFolder, root);

    // A drive index out of range changes nothing and shows nothing.
    bool bShown = false;
    const DriveChangeResult result =
        ChangeDrive(provider, folders, 5, "/usr", [&](const QString&) { bShown = true; });
    QVERIFY(!result.bMoved && !bShown);
    QCOMPARE(result.strFolder, QStringLiteral("/usr"));
}

void TestDrives::systemDrives()
{
    const auto provider = CreateSystemDriveProvider();
    const QList<Drive> drives = provider->Drives();
    QVERIFY(!drives.isEmpty());
    for (const Drive& drive : drives)
        qInfo("drive: text \"%s\", root \"%s\", ready %s", qPrintable(drive.text),
              qPrintable(drive.root), provider->IsReady(drive) ? "yes" : "no");
#ifndef Q_OS_WIN
    QCOMPARE(drives.first(), (Drive{"/", "/"}));
    QVERIFY(provider->IsReady(drives.first()));
    QVERIFY(!provider->IsReady({"/nonexistent-volume", "/nonexistent-volume"}));
    QVERIFY(!provider->IsReady({"/usr", "/usr"}) || DriveFolders(drives).DriveIndexOf("/usr") > 0);
#endif
}

QTEST_GUILESS_MAIN(TestDrives)
#include "tst_drives.moc"
