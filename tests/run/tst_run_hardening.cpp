// SPDX-License-Identifier: GPL-3.0-or-later
// The rename run against a disk, a link or another user that works against it: a full file
// system, links in place of the script or its log, and a script folder with planted entries.
// Each case checks that nothing outside the run was written and nothing was started.

#include "fake_platform.h"
#include "folder_files.h"
#include "guards.h"
#include "run/batch_script.h"
#include "run/rename_run.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace quillet;
using namespace quillet::test;
using quillet::test::Contents;
using quillet::test::WriteFile;

namespace
{

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// A tmpfs of a few KiB, mounted for the life of the object; Path() is empty where this
// machine does not let the test mount one, and SkipReason() says why.
class SmallDisk
{
public:
    explicit SmallDisk(const char* size)
    {
        if (geteuid() != 0) {
            skip_ = "mounting a small tmpfs needs root";
            return;
        }
        QProcess mount;
        mount.start("mount",
                    {"-t", "tmpfs", "-o", QString("size=%1").arg(size), "tmpfs", dir_.path()});
        if (!mount.waitForFinished(20000) || mount.exitCode() != 0) {
            skip_ =
                "mount -t tmpfs failed: " + QString::fromLocal8Bit(mount.readAllStandardError());
            return;
        }
        path_ = dir_.path();
    }
    ~SmallDisk()
    {
        if (!path_.isEmpty())
            QProcess::execute("umount", {path_});
    }
    QString Path() const { return path_; }
    QString SkipReason() const { return skip_; }

private:
    QTemporaryDir dir_;
    QString path_;
    QString skip_;
};

} // namespace

class TestRunHardening : public QObject
{
    Q_OBJECT

private slots:
    void fullDiskKeepsTheOldScriptAndStartsNothing();
    void linkInPlaceOfTheScriptOrLog_data();
    void linkInPlaceOfTheScriptOrLog();
    void foreignEntryInTheScriptFolder_data();
    void foreignEntryInTheScriptFolder();
    void scriptChangedBeforeTheStartRunsAsComposed();
};

void TestRunHardening::fullDiskKeepsTheOldScriptAndStartsNothing()
{
    SmallDisk disk("8k");
    if (disk.Path().isEmpty())
        QSKIP(qPrintable(disk.SkipReason()));
    MessageRecorder reporter;
    FakePlatform platform(&reporter);
    platform.folder = disk.Path() + '/';

    QVERIFY(RunShellMethod({"/photos", {"a"}, {"b"}}, platform, reporter));
    const QByteArray old = ReadAll(disk.Path() + "/rename.bat");
    QVERIFY(old.endsWith("rename \"a\" \"b\"\r\n"));

    RenameJob big{"/photos", {}, {}};
    for (int i = 0; i < 200; ++i) {
        big.currentNames << QString("IMG_%1 from the summer holiday.jpg").arg(i, 4, 10, QChar('0'));
        big.proposedNames << QString("Holiday %1 by the sea.jpg").arg(i, 4, 10, QChar('0'));
    }
    reporter.shown.clear();
    platform.started.clear();
    QVERIFY(!RunShellMethod(big, platform, reporter));
    QVERIFY(platform.started.isEmpty());
    QCOMPARE(reporter.shown.size(), 1);
    QCOMPARE(reporter.shown[0].icon, MessageIcon::Critical);
    QVERIFY2(reporter.shown[0].text.contains("rename.bat"), qPrintable(reporter.shown[0].text));
    QCOMPARE(ReadAll(disk.Path() + "/rename.bat"), old);
    QCOMPARE(QDir(disk.Path()).entryList(QDir::Files | QDir::Hidden), QStringList{"rename.bat"});
}

void TestRunHardening::linkInPlaceOfTheScriptOrLog_data()
{
    QTest::addColumn<bool>("shell");    // the Shell method's private folder, else "&Batch File"
    QTest::addColumn<QString>("entry"); // the name of the link
    QTest::addColumn<bool>("dangling"); // the link points at a file that does not exist

    QTest::newRow("batch file: link to a file") << false << "rename.bat" << false;
    QTest::newRow("batch file: dangling link") << false << "rename.bat" << true;
    QTest::newRow("shell: script is a link") << true << "rename.bat" << false;
    QTest::newRow("shell: log is a link") << true << "rename.log" << false;
    QTest::newRow("shell: dangling log link") << true << "rename.log" << true;
}

void TestRunHardening::linkInPlaceOfTheScriptOrLog()
{
    QFETCH(bool, shell);
    QFETCH(QString, entry);
    QFETCH(bool, dangling);

    QTemporaryDir home; // the victim's files
    QTemporaryDir work; // the working folder, or the cache holding the private folder
    QTemporaryDir photos;
    QVERIFY(WriteFile(photos.path() + "/a", "a"));
    const QString victim = home.path() + "/.bashrc";
    if (!dangling)
        QVERIFY(WriteFile(victim, "the user's own settings"));
    const QString folder = shell ? work.path() + "/quillet" : work.path();
    if (shell)
        QVERIFY(QDir().mkdir(folder) && chmod(QFile::encodeName(folder), 0700) == 0);
    QVERIFY(QFile::link(victim, folder + '/' + entry));

    EnvGuard cache; // the Shell method's private folder is "quillet" in a test folder
    cache.set("XDG_CACHE_HOME", work.path().toUtf8());
    CurrentDirGuard cwd(work.path());
    MessageRecorder reporter;
    const std::unique_ptr<Platform> platform = CreatePlatform();
    const RenameJob job{photos.path(), {"a"}, {"b"}};
    QVERIFY(!(shell ? RunShellMethod(job, *platform, reporter) != nullptr
                    : WriteBatchForReview(job, *platform, reporter)));

    QCOMPARE(reporter.shown.size(), 1);
    QVERIFY2(reporter.shown[0].text.contains(folder + '/' + entry),
             qPrintable(reporter.shown[0].text));
    QCOMPARE(Contents(home.path()),
             dangling ? QStringList{} : QStringList{".bashrc=the user's own settings"});
    QCOMPARE(Contents(photos.path()), QStringList{"a=a"});
}

void TestRunHardening::foreignEntryInTheScriptFolder_data()
{
    QTest::addColumn<QString>("kind");

    QTest::newRow("folder") << "folder";
    QTest::newRow("named pipe") << "fifo";
    QTest::newRow("hard link to another file") << "hardlink";
    QTest::newRow("a file the program never writes") << "other";
}

void TestRunHardening::foreignEntryInTheScriptFolder()
{
    QFETCH(QString, kind);
    QTemporaryDir cache;
    QTemporaryDir photos;
    QVERIFY(WriteFile(photos.path() + "/a", "a"));
    const QString folder = cache.path() + "/quillet";
    QVERIFY(QDir().mkdir(folder) && chmod(QFile::encodeName(folder), 0700) == 0);
    const QString victim = cache.path() + "/victim";
    QVERIFY(WriteFile(victim, "keep me"));
    QString entry = folder + "/rename.log";
    if (kind == "folder")
        QVERIFY(QDir().mkdir(entry));
    else if (kind == "fifo")
        QCOMPARE(mkfifo(QFile::encodeName(entry), 0600), 0);
    else if (kind == "hardlink")
        QCOMPARE(link(QFile::encodeName(victim), QFile::encodeName(entry)), 0);
    else
        QVERIFY(WriteFile(entry = folder + "/planted.sh", "echo"));

    EnvGuard guard;
    guard.set("XDG_CACHE_HOME", cache.path().toUtf8());
    MessageRecorder reporter;
    const std::unique_ptr<Platform> platform = CreatePlatform();
    QVERIFY(!RunShellMethod({photos.path(), {"a"}, {"b"}}, *platform, reporter));
    QCOMPARE(reporter.shown.size(), 1);
    QVERIFY2(reporter.shown[0].text.contains(entry), qPrintable(reporter.shown[0].text));
    QCOMPARE(ReadAll(victim), QByteArray("keep me"));
    QVERIFY(!QFile::exists(folder + "/rename.bat"));
    QCOMPARE(Contents(photos.path()), QStringList{"a=a"});
}

// The interpreter reads the written script itself when it holds what was composed. A script
// changed at its path after the write, even to as many bytes, must not be what runs.
void TestRunHardening::scriptChangedBeforeTheStartRunsAsComposed()
{
    QTemporaryDir photos;
    QTemporaryDir scripts;
    QVERIFY(WriteFile(photos.path() + "/a", "a"));
    const std::unique_ptr<Platform> platform = CreatePlatform();
    const ComposedScript script =
        ComposeBatchScript({photos.path(), {"a"}, {"b"}}, platform->separator(),
                           [&](const QString& text) { return platform->encodeScriptText(text); });
    QVERIFY(script.bytes);
    const QString path = scripts.path() + "/rename.bat";
    QVERIFY(WriteFile(path, QByteArray(*script.bytes).replace("\"b\"", "\"c\"")));

    QString error;
    const std::unique_ptr<ScriptRun> run = platform->startScript(path, *script.bytes, {}, &error);
    QVERIFY2(run, qPrintable(error));
    QTRY_VERIFY_WITH_TIMEOUT(!run->isRunning(), 20000);
    QCOMPARE(Contents(photos.path()), QStringList{"b=a"});
}

QTEST_GUILESS_MAIN(TestRunHardening)
#include "tst_run_hardening.moc"
