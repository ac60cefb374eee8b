#include "../common/folder_files.h"
#include "fake_run.h"
#include "run/rename_run.h"
#include "run/undo_run.h"
#include "run_guards.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/file.h>
#include <sys/stat.h>

using namespace quillet;
using quillet::test::WriteFile;
using namespace quillet::testing;

namespace
{

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestRenameRun : public QObject
{
    Q_OBJECT

private slots:
    void apiRenamesInOrderAndGoesOnAfterFailures();
    void apiWithoutPairs();
    void apiProgressIsRateLimited();
    void undoRefusesAFileMadeAnewUnderTheName();
    void shellFailures_data();
    void shellFailures();
    void shellWritesAndStartsTheScript();
    void shellFallsBackWhenTheFolderRefusesTheScript();
    void shellRenamesThroughTheInterpreter();
    void shellRefusedWhileAnotherRunHoldsTheLog();
    void batchFileWritesAndOpens();
    void batchFileEditors_data();
    void batchFileEditors();
};

void TestRenameRun::apiRenamesInOrderAndGoesOnAfterFailures()
{
    FakeReporter reporter;
    FakePlatform platform(&reporter);
    platform.failing = {"b.txt"};
    const RenameJob job{"/photos", {"a.txt", "b.txt", "c.txt"}, {"1.txt", "2.txt", "3.txt"}};

    QCOMPARE(RunApiMethod(job, platform, reporter).failed.size(), 1);

    QCOMPARE(platform.renames.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(platform.renames[i].folder, "/photos/");
        QCOMPARE(platform.renames[i].from, job.currentNames[i]);
        QCOMPARE(platform.renames[i].to, job.proposedNames[i]);
        QVERIFY(platform.renames[i].progress >= 1 && platform.renames[i].progress <= i + 1);
    }
    QCOMPARE(platform.renames[0].progress, 1.0);
    QCOMPARE(platform.renames[2].progress, 3.0);
    QCOMPARE(reporter.rangeMin, 0.0);
    QCOMPARE(reporter.rangeMax, 3.0);

    QCOMPARE(reporter.messages.size(), 2);
    const FakeReporter::Message& failure = reporter.messages[0];
    QVERIFY(failure.text.contains("\"b.txt\"") && failure.text.contains("\"2.txt\"") &&
            failure.text.contains("it is in use"));
    QCOMPARE(failure.icon, MessageIcon::Warning);
    QCOMPARE(failure.progressShown, 2.0);
    const FakeReporter::Message& finished = reporter.messages[1];
    QCOMPARE(finished.text, "Finished Renaming Files");
    QCOMPARE(finished.title, "Rename status");
    QCOMPARE(finished.icon, MessageIcon::Information);
    QCOMPARE(finished.progressShown, 3.0);
    QCOMPARE(reporter.value, 0.0);
}

void TestRenameRun::apiWithoutPairs()
{
    FakeReporter reporter;
    FakePlatform platform(&reporter);
    QCOMPARE(RunApiMethod({"/photos", {}, {}}, platform, reporter).failed.size(), 0);
    QVERIFY(platform.renames.isEmpty());
    QCOMPARE(reporter.rangeMax, 0.0);
    QCOMPARE(reporter.messages.size(), 1);
    QCOMPARE(reporter.messages[0].text, "Finished Renaming Files");
    QCOMPARE(reporter.value, 0.0);
}

void TestRenameRun::apiProgressIsRateLimited()
{
    FakeReporter reporter;
    FakePlatform platform(&reporter);
    RenameJob job{"/photos", {}, {}};
    for (int i = 0; i < 40000; ++i) {
        job.currentNames.append(QString::number(i));
        job.proposedNames.append(QString::number(i) + "x");
    }
    QElapsedTimer timer;
    timer.start();
    RunApiMethod(job, platform, reporter);
    const qint64 elapsed = timer.elapsed();

    QCOMPARE(platform.renames.size(), 40000); // more than a 16-bit count holds
    QCOMPARE(platform.renames.last().progress, 40000.0);
    // First and last pair, one per interval, and the final 0.
    QVERIFY2(reporter.valueCalls <= 3 + elapsed / kProgressIntervalMs + 1,
             qPrintable(QString::number(reporter.valueCalls)));
    QVERIFY(reporter.responsiveCalls >= 2);
}

void TestRenameRun::undoRefusesAFileMadeAnewUnderTheName()
{
    // A renamed file removed and made anew under its new name (ext4 tends to give it the
    // same inode) is refused by the undo; the other file of the run gets its name back.
    QTemporaryDir dir;
    QVERIFY(WriteFile(dir.path() + "/a.txt", "a") && WriteFile(dir.path() + "/b.txt", "b"));
    const std::unique_ptr<Platform> platform = CreatePlatform();
    FakeReporter reporter;
    const RunOutcome run =
        RunApiMethod({dir.path(), {"a.txt", "b.txt"}, {"X_1.txt", "X_2.txt"}}, *platform, reporter);
    QCOMPARE(run.done.size(), 2);

    const QByteArray path = QFile::encodeName(dir.path() + "/X_1.txt");
    struct stat before, after;
    QVERIFY(stat(path.constData(), &before) == 0);
    QVERIFY(QFile::remove(dir.path() + "/X_1.txt") && WriteFile(dir.path() + "/X_1.txt", "new"));
    QVERIFY(stat(path.constData(), &after) == 0);
    qInfo("the new file %s the inode of the renamed one",
          after.st_ino == before.st_ino ? "got" : "did not get");

    const QList<DoneRename> skipped = UndoRenames(run.done, *platform, reporter);
    QCOMPARE(skipped.size(), 1);
    QCOMPARE(skipped[0].to, "X_1.txt");
    QCOMPARE(test::Contents(dir.path()), (QStringList{"X_1.txt=new", "b.txt=b"}));
}

void TestRenameRun::shellFailures_data()
{
    QTest::addColumn<bool>("folderWorks");
    QTest::addColumn<bool>("startWorks");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QString>("named");

    QTest::newRow("no script folder") << false << true << "b.txt"
                                      << "no script folder";
    QTest::newRow("interpreter not startable") << true << false << "b.txt"
                                               << "interpreter missing";
    QTest::newRow("name the script cannot hold") << true << true << "b\"c.txt"
                                                 << "a.txt";
}

void TestRenameRun::shellFailures()
{
    QFETCH(bool, folderWorks);
    QFETCH(bool, startWorks);
    QFETCH(QString, newName);
    QFETCH(QString, named);

    QTemporaryDir dir;
    FakeReporter reporter;
    FakePlatform platform(&reporter);
    platform.folder = folderWorks ? dir.path() + '/' : QString();
    platform.startWorks = startWorks;

    QVERIFY(!RunShellMethod({"/photos", {"a.txt"}, {newName}}, platform, reporter));
    QCOMPARE(reporter.messages.size(), 1);
    QVERIFY2(reporter.messages[0].text.contains(named), qPrintable(reporter.messages[0].text));
    QCOMPARE(reporter.messages[0].icon, MessageIcon::Critical);
    QVERIFY(platform.renames.isEmpty());
    if (newName.contains('"')) {
        QVERIFY(platform.started.isEmpty());
        QVERIFY(!QFile::exists(dir.path() + "/rename.bat"));
    }
    QCOMPARE(reporter.rangeCalls + reporter.valueCalls, 0);
}

void TestRenameRun::shellWritesAndStartsTheScript()
{
    QTemporaryDir dir;
    FakeReporter reporter;
    FakePlatform platform(&reporter);
    platform.folder = dir.path() + '/';

    QVERIFY(RunShellMethod({"/photos", {}, {}}, platform, reporter));
    QCOMPARE(platform.started, QStringList{dir.path() + "/rename.bat"});
    QCOMPARE(ReadAll(dir.path() + "/rename.bat"),
             QByteArray("cd /d \"/photos/\"\r\nif errorlevel 1 exit /b 1\r\n/p\r\n"));
    QCOMPARE(reporter.messages.size(), 1);
    QCOMPARE(reporter.messages[0].text, "Rename Finished!");
    QCOMPARE(reporter.messages[0].title, QString());
    QCOMPARE(reporter.messages[0].icon, MessageIcon::None);
    QCOMPARE(reporter.rangeCalls + reporter.valueCalls, 0);
}

void TestRenameRun::shellFallsBackWhenTheFolderRefusesTheScript()
{
    QTemporaryDir dir;
    FakeReporter reporter;
    FakePlatform platform(&reporter);
    platform.folder = dir.path() + "/refusing/"; // missing: the script cannot go there
    platform.fallbackFolder = dir.path() + "/own/";
    QVERIFY(QDir(dir.path()).mkdir("own"));

    QVERIFY(RunShellMethod({"/photos", {}, {}}, platform, reporter));
    QCOMPARE(platform.started, QStringList{dir.path() + "/own/rename.bat"});
    QCOMPARE(ReadAll(dir.path() + "/own/rename.bat"),
             QByteArray("cd /d \"/photos/\"\r\nif errorlevel 1 exit /b 1\r\n/p\r\n"));
    QCOMPARE(reporter.messages.size(), 1); // no word about the other folder
    QCOMPARE(reporter.messages[0].text, "Rename Finished!");

    // Both folders refuse: one error, naming the first folder, and nothing started.
    reporter.messages.clear();
    platform.started.clear();
    platform.fallbackFolder = dir.path() + "/missing too/";
    QVERIFY(!RunShellMethod({"/photos", {}, {}}, platform, reporter));
    QCOMPARE(reporter.messages.size(), 1);
    QVERIFY2(reporter.messages[0].text.contains("refusing"), qPrintable(reporter.messages[0].text));
    QCOMPARE(reporter.messages[0].icon, MessageIcon::Critical);
    QVERIFY(platform.started.isEmpty());
}

void TestRenameRun::shellRenamesThroughTheInterpreter()
{
    QTemporaryDir cache;
    QTemporaryDir photos;
    EnvGuard env;
    env.set("XDG_CACHE_HOME", cache.path().toUtf8());
    const QStringList current{"a.txt", "b b.txt", "100%.txt",
                              QString::fromUtf8("\xc3\xa9t\xc3\xa9.txt"), "keep.txt"};
    const QStringList proposed{"A 1.txt", "b.txt", "50% off.txt", "ete.txt", "a.txt"};
    for (const QString& name : current)
        QVERIFY(WriteFile(photos.path() + '/' + name, name.toUtf8()));

    FakeReporter reporter;
    const std::unique_ptr<Platform> platform = CreatePlatform();
    QVERIFY(RunShellMethod({photos.path(), current, proposed}, *platform, reporter));
    QCOMPARE(reporter.messages.size(), 1);
    QCOMPARE(reporter.messages[0].text, "Rename Finished!");

    // The interpreter runs on its own; the last rename line is "keep.txt" -> "a.txt", which
    // needs "a.txt" renamed away first.
    const QString last = photos.path() + "/a.txt";
    QTRY_VERIFY_WITH_TIMEOUT(ReadAll(last) == "keep.txt", 20000);
    for (int i = 0; i < current.size(); ++i)
        QCOMPARE(ReadAll(photos.path() + '/' + proposed[i]), current[i].toUtf8());
    QCOMPARE(QDir(photos.path()).entryList(QDir::Files).size(), current.size());

    struct stat st;
    QCOMPARE(stat(QFile::encodeName(cache.path() + "/quillet").constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, 0700u);
    QVERIFY(QFile::exists(cache.path() + "/quillet/rename.bat"));
}

void TestRenameRun::shellRefusedWhileAnotherRunHoldsTheLog()
{
    // Another Quillet's interpreter still runs: its log stays locked and untouched.
    QTemporaryDir cache;
    QTemporaryDir photos;
    EnvGuard env;
    env.set("XDG_CACHE_HOME", cache.path().toUtf8());
    QVERIFY(WriteFile(photos.path() + "/a.txt", "a"));
    QVERIFY(QDir().mkpath(cache.path() + "/quillet"));
    const QString log = cache.path() + "/quillet/rename.log";
    QVERIFY(WriteFile(log, "the other run's report\n"));
    QFile held(log);
    QVERIFY(held.open(QIODevice::ReadWrite));
    QCOMPARE(flock(held.handle(), LOCK_EX | LOCK_NB), 0);

    FakeReporter reporter;
    const std::unique_ptr<Platform> platform = CreatePlatform();
    QVERIFY(!RunShellMethod({photos.path(), {"a.txt"}, {"b.txt"}}, *platform, reporter));
    QCOMPARE(reporter.messages.size(), 1);
    QVERIFY2(reporter.messages[0].text.contains("still going on"),
             qPrintable(reporter.messages[0].text));
    QCOMPARE(ReadAll(log), QByteArray("the other run's report\n"));
    QVERIFY(QFile::exists(photos.path() + "/a.txt"));
}

void TestRenameRun::batchFileWritesAndOpens()
{
    QTemporaryDir work;
    CurrentDirGuard cwd(work.path());
    FakeReporter reporter;
    FakePlatform platform(&reporter);

    QVERIFY(WriteBatchForReview({"/photos", {"a"}, {"b"}}, platform, reporter));
    QVERIFY(WriteBatchForReview({"/photos", {}, {}}, platform, reporter));
    QCOMPARE(platform.opened, (QStringList{"rename.bat", "rename.bat"}));
    QCOMPARE(ReadAll(work.path() + "/rename.bat"),
             QByteArray("cd /d \"/photos/\"\r\nif errorlevel 1 exit /b 1\r\n/p\r\n"));
    QVERIFY(reporter.messages.isEmpty());

    platform.editorWorks = false;
    QVERIFY(!WriteBatchForReview({"/photos", {}, {}}, platform, reporter));
    QCOMPARE(reporter.messages.size(), 1);
    QVERIFY(reporter.messages[0].text.contains("no editor"));

    platform.editorWorks = true;
    platform.opened.clear();
    QVERIFY(!WriteBatchForReview({"/photos", {"a"}, {"x\ny"}}, platform, reporter));
    QVERIFY(platform.opened.isEmpty());
    QCOMPARE(reporter.messages.size(), 2);
}

void TestRenameRun::batchFileEditors_data()
{
    QTest::addColumn<QString>("desktopEntry"); // empty: no xdg-mime on the PATH
    QTest::addColumn<QStringList>("editorsOnPath");
    QTest::addColumn<QStringList>("recordedBefore"); // arguments before the file, or none

    QTest::newRow("desktop default for text/plain")
        << "[Desktop Entry]\nType=Application\nName=Fake\nExec=fake-editor --new-window %F\n"
        << QStringList{"fake-editor", "gedit"} << QStringList{"--new-window"};
    QTest::newRow("known editor on the PATH")
        << QString() << QStringList{"mousepad"} << QStringList{};
    QTest::newRow("default needs a terminal: known editor instead")
        << "[Desktop Entry]\nType=Application\nExec=fake-editor %f\nTerminal=true\n"
        << QStringList{"fake-editor", "kate"} << QStringList{};
    QTest::newRow("no editor at all") << QString() << QStringList{} << QStringList{};
}

void TestRenameRun::batchFileEditors()
{
    QFETCH(QString, desktopEntry);
    QFETCH(QStringList, editorsOnPath);
    QFETCH(QStringList, recordedBefore);

    QTemporaryDir work;
    const QString bin = work.path() + "/bin";
    const QString share = work.path() + "/share";
    const QString record = work.path() + "/record.txt";
    QVERIFY(QDir().mkpath(bin) && QDir().mkpath(share + "/applications") &&
            QDir().mkpath(work.path() + "/cwd"));
    for (const QString& editor : editorsOnPath) {
        QVERIFY(WriteFile(bin + '/' + editor,
                          "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + record.toUtf8() + "'\n", true));
    }
    if (!desktopEntry.isEmpty()) {
        QVERIFY(WriteFile(bin + "/xdg-mime",
                          "#!/bin/sh\n[ \"$*\" = 'query default text/plain' ] && echo "
                          "fake-editor.desktop\n",
                          true));
        QVERIFY(WriteFile(share + "/applications/fake-editor.desktop", desktopEntry.toUtf8()));
    }
    EnvGuard env;
    env.set("PATH", bin.toUtf8());
    env.set("XDG_DATA_HOME", share.toUtf8());
    env.set("XDG_DATA_DIRS", (work.path() + "/none").toUtf8());
    CurrentDirGuard cwd(work.path() + "/cwd");

    FakeReporter reporter;
    const std::unique_ptr<Platform> platform = CreatePlatform();
    const bool opened = WriteBatchForReview({"/photos", {"a"}, {"b"}}, *platform, reporter);
    QVERIFY(QFile::exists(work.path() + "/cwd/rename.bat"));
    if (editorsOnPath.isEmpty()) {
        QVERIFY(!opened);
        QCOMPARE(reporter.messages.size(), 1);
        QVERIFY(reporter.messages[0].text.contains("No text editor"));
        return;
    }
    QVERIFY(opened);
    QVERIFY(reporter.messages.isEmpty());
    const QByteArray expected =
        (recordedBefore + QStringList{work.path() + "/cwd/rename.bat"}).join('\n').toUtf8() + '\n';
    QTRY_COMPARE_WITH_TIMEOUT(ReadAll(record), expected, 10000);
}

QTEST_GUILESS_MAIN(TestRenameRun)
#include "test_rename_run.moc"
