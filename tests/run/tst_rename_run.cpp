// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_platform.h"
#include "folder_files.h"
#include "guards.h"
#include "run/api_run.h"
#include "run/batch_script.h"
#include "run/interrupted_run.h"
#include "run/rename_run.h"
#include "run/undo_run.h"
#include "swapping_platform.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>

#include <sys/file.h>
#include <sys/stat.h>

using namespace quillet;
using namespace quillet::test;
using quillet::test::WriteFile;

namespace
{

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The pairs of a run long enough to be killed in the middle: f0000 -> g0000, ...
constexpr int kKilledRunFiles = 6000;

RenameJob KilledRunJob(const QString& folder)
{
    RenameJob job{folder, {}, {}};
    for (int i = 0; i < kKilledRunFiles; ++i) {
        job.currentNames.append(QString::asprintf("f%04d", i));
        job.proposedNames.append(QString::asprintf("g%04d", i));
    }
    return job;
}

// The child process of killedRunIsGivenBack: the API run of KilledRunJob in folder, until it
// is killed.
int RunApiChild(const QString& folder)
{
    test::MessageRecorder reporter;
    const std::unique_ptr<Platform> platform = CreatePlatform();
    RunApiMethod(KilledRunJob(folder), *platform, reporter);
    return 0;
}

} // namespace

class TestRenameRun : public QObject
{
    Q_OBJECT

private slots:
    void apiRenamesInOrderAndGoesOnAfterFailures();
    void apiWithoutPairs();
    void apiRunsInSlicesFromTheEventLoop();
    void undoRefusesAFileMadeAnewUnderTheName();
    void doneRenamesKeepEachRename_data();
    void doneRenamesKeepEachRename();
    void killedRunIsGivenBack_data();
    void killedRunIsGivenBack();
    void shellFailures_data();
    void shellFailures();
    void shellWritesAndStartsTheScript();
    void shellFallsBackWhenTheFolderRefusesTheScript();
    void shellRenamesThroughTheInterpreter();
    void shellRefusedWhileAnotherRunHoldsTheLog();
    void folderReplacedAfterTheListing_data();
    void folderReplacedAfterTheListing();
    void batchFileWritesAndOpens();
    void batchFileEditors_data();
    void batchFileEditors();
};

void TestRenameRun::apiRenamesInOrderAndGoesOnAfterFailures()
{
    MessageRecorder reporter;
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

    QCOMPARE(reporter.shown.size(), 2);
    const ShownMessage& failure = reporter.shown[0];
    QVERIFY(failure.text.contains("\"b.txt\"") && failure.text.contains("\"2.txt\"") &&
            failure.text.contains("it is in use"));
    QCOMPARE(failure.icon, MessageIcon::Warning);
    QCOMPARE(failure.progressShown, 2.0);
    const ShownMessage& finished = reporter.shown[1];
    QCOMPARE(finished.text, "Finished Renaming Files\n1 of 3 files were not renamed.");
    QCOMPARE(finished.title, "Rename status");
    QCOMPARE(finished.icon, MessageIcon::Warning);
    QCOMPARE(finished.progressShown, 3.0);
    QCOMPARE(reporter.value, 0.0);
}

void TestRenameRun::apiWithoutPairs()
{
    MessageRecorder reporter;
    FakePlatform platform(&reporter);
    QCOMPARE(RunApiMethod({"/photos", {}, {}}, platform, reporter).failed.size(), 0);
    QVERIFY(platform.renames.isEmpty());
    QCOMPARE(reporter.rangeMax, 0.0);
    QCOMPARE(reporter.shown.size(), 1);
    QCOMPARE(reporter.shown[0].text, "Finished Renaming Files");
    QCOMPARE(reporter.value, 0.0);
}

void TestRenameRun::apiRunsInSlicesFromTheEventLoop()
{
    // The job's contract: start() does the first slice at once, the rest come from the event
    // loop, which gets its turn between slices; progress follows each slice and finished()
    // comes once, after the closing box. The run's journal is there while it runs, and gone
    // once it has finished.
    QTemporaryDir cache;
    EnvGuard env;
    env.set("XDG_CACHE_HOME", cache.path().toUtf8());
    const QString journals = JournalFolder(nullptr).value_or(QString());
    MessageRecorder reporter;
    FakePlatform platform(&reporter);
    RenameJob job{"/photos", {}, {}};
    for (int i = 0; i < 40000; ++i) {
        job.currentNames.append(QString::number(i));
        job.proposedNames.append(QString::number(i) + "x");
    }
    ApiRun run(job, platform, reporter);
    QSignalSpy progress(&run, &Job::progress);
    QSignalSpy finished(&run, &Job::finished);
    QSignalSpy renamed(&run, &RenameWork::renamed);
    int nTurns = 0; // turns of the event loop while the job runs
    QTimer turn;
    turn.setInterval(0);
    connect(&turn, &QTimer::timeout, [&] { nTurns += run.isRunning() ? 1 : 0; });
    turn.start();
    QElapsedTimer timer;
    timer.start();
    run.start();
    QVERIFY(platform.renames.size() > 0);
    QCOMPARE(JournalPaths(journals).size(), run.isRunning() ? 1 : 0);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 60000);
    const qint64 elapsed = timer.elapsed();

    QCOMPARE(platform.renames.size(), 40000); // more than a 16-bit count holds
    QCOMPARE(renamed.size(), 40000);
    QCOMPARE(platform.renames.last().progress, 40000.0);
    QCOMPARE(progress.last().at(0).value<qsizetype>(), qsizetype(40000));
    QCOMPARE(reporter.shown.size(), 1); // the closing box, before finished()
    QCOMPARE(reporter.value, 0.0);
    // One bar update a slice (its first pair), the last pair and the final 0.
    QVERIFY2(reporter.valueCalls <= 3 + elapsed / Job::kSliceMs + progress.size(),
             qPrintable(QString::number(reporter.valueCalls)));
    if (progress.size() > 1)
        QVERIFY(nTurns >= 1);
    QVERIFY(!run.isRunning() && run.isFinished());
    QVERIFY(JournalPaths(journals).isEmpty());
}

void TestRenameRun::killedRunIsGivenBack_data()
{
    QTest::addColumn<bool>("bShell");
    QTest::newRow("quillet-batch") << true;
    QTest::newRow("API run") << false;
}

void TestRenameRun::killedRunIsGivenBack()
{
    // SIGKILL in the middle of a run: its journal names exactly the files renamed, and the
    // offer at the next start gives every one its old name back; no file is lost.
    QFETCH(bool, bShell);
    QTemporaryDir cache;
    QTemporaryDir photos;
    EnvGuard env;
    env.set("XDG_CACHE_HOME", cache.path().toUtf8());
    const RenameJob job = KilledRunJob(photos.path());
    for (const QString& name : job.currentNames)
        QVERIFY(WriteFile(photos.path() + '/' + name, name.toUtf8()));
    const std::optional<QString> journals = JournalFolder(nullptr);
    QVERIFY(journals && !journals->isEmpty());

    QProcess run;
    run.setWorkingDirectory(photos.path());
    if (bShell) {
        const std::optional<QByteArray> script =
            ComposeBatchScript(job, '/', [](const QString& t) { return t.toUtf8(); }).bytes;
        QVERIFY(script && WriteFile(cache.path() + "/rename.bat", *script));
        run.setStandardInputFile(cache.path() + "/rename.bat");
        run.start(QCoreApplication::applicationDirPath() + "/quillet-batch",
                  {"--journal", NewJournalPath(*journals), "--pairs",
                   QString::number(job.proposedNames.size()), "-"});
    } else {
        run.start(QCoreApplication::applicationFilePath(), {"--api-run-child", photos.path()});
    }
    QVERIFY(run.waitForStarted());
    const QByteArray tenth = QFile::encodeName(photos.path() + "/g0010");
    struct stat st;
    const QDeadlineTimer deadline(30000);
    while (stat(tenth.constData(), &st) != 0 && !deadline.hasExpired())
        ;
    ::kill(pid_t(run.processId()), SIGKILL);
    QVERIFY(run.waitForFinished());
    QCOMPARE(run.exitStatus(), QProcess::CrashExit);

    const QStringList before = job.currentNames;
    QStringList renamed = QDir(photos.path()).entryList({"g*"}, QDir::Files, QDir::Name);
    QVERIFY2(renamed.size() >= 11 && renamed.size() < kKilledRunFiles,
             qPrintable(QString::number(renamed.size())));

    const std::unique_ptr<Platform> platform = CreatePlatform();
    std::optional<InterruptedRun> interrupted = NextInterruptedRun(*journals, *platform);
    QVERIFY(interrupted);
    QStringList journaled;
    for (qsizetype i = 0; i < interrupted->done.size(); ++i) {
        const RenameResult rename = interrupted->done.at(i);
        QCOMPARE(rename.folder, photos.path() + '/');
        QCOMPARE(rename.from, QString(rename.to).replace(0, 1, 'f'));
        journaled.append(rename.to);
    }
    QCOMPARE(journaled, renamed);
    QCOMPARE(InterruptedRunQuestion(*interrupted),
             QString("The rename run in %1 was interrupted after %2 of %3 files. Give those %2 "
                     "files their old names back?")
                 .arg(photos.path())
                 .arg(renamed.size())
                 .arg(kKilledRunFiles));

    MessageRecorder reporter;
    UndoRun undo(interrupted->done, *platform, reporter);
    undo.setConfirmed();
    undo.exec();
    interrupted->journal->remove();
    QVERIFY(undo.notUndone().isEmpty());
    QCOMPARE(reporter.shown.size(), 1); // the closing box alone
    QCOMPARE(reporter.shown[0].text,
             QString("%1 files got their old names back.").arg(renamed.size()));
    const QStringList after = QDir(photos.path()).entryList(QDir::Files, QDir::Name);
    QCOMPARE(after, before);
    for (const QString& name : after)
        QCOMPARE(ReadAll(photos.path() + '/' + name), name.toUtf8());
    QVERIFY(JournalPaths(*journals).isEmpty());
    QVERIFY(!NextInterruptedRun(*journals, *platform));
}

void TestRenameRun::undoRefusesAFileMadeAnewUnderTheName()
{
    // A renamed file removed and made anew under its new name (ext4 tends to give it the
    // same inode) is refused by the undo; the other file of the run gets its name back. Run and
    // undo leave no journal behind.
    QTemporaryDir cache;
    EnvGuard env;
    env.set("XDG_CACHE_HOME", cache.path().toUtf8());
    QTemporaryDir dir;
    QVERIFY(WriteFile(dir.path() + "/a.txt", "a") && WriteFile(dir.path() + "/b.txt", "b"));
    const std::unique_ptr<Platform> platform = CreatePlatform();
    MessageRecorder reporter;
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

    const DoneRenames skipped = UndoRenames(run.done, *platform, reporter);
    QCOMPARE(skipped.size(), 1);
    QCOMPARE(skipped.to(0), "X_1.txt");
    QCOMPARE(test::Contents(dir.path()), (QStringList{"X_1.txt=new", "b.txt=b"}));
    QCOMPARE(QDir(cache.path() + "/quillet-journals").entryList(QDir::Files), QStringList());
}

void TestRenameRun::doneRenamesKeepEachRename_data()
{
    // Each rename as "folder|from|to|identity".
    QTest::addColumn<QStringList>("renames");
    QTest::newRow("none") << QStringList();
    QTest::newRow("one folder, one unchanged")
        << QStringList{"/a/|x|y|2049:12:b1.5", "/a/|y|y|2049:13:b1.5", "/a/|z|w|"};
    QTest::newRow("two folders, identities of all lengths, unchanged first and last")
        << QStringList{"/a/|p|p|1:1",    "/b/|q|r|2049:1234567:b1765300000.123456789",
                       "/a/|s|t|",       "/b/|u|u|7:7",
                       "/b/|v|w|9:9:b9", "/a/|x|y|2049:1234568:b1765300000.1",
                       "/b/|z|z|8"};
    QTest::newRow("all unchanged") << QStringList{"/a/|p|p|1", "/b/|q|q|"};
}

void TestRenameRun::doneRenamesKeepEachRename()
{
    QFETCH(QStringList, renames);
    QList<RenameResult> list;
    QStringList changed;
    for (const QString& rename : renames) {
        const QStringList field = rename.split('|');
        list.append(RenameResult::renamed(field[0], field[1], field[2], field[3].toUtf8()));
        if (field[1] != field[2])
            changed.append(rename);
    }
    const auto texts = [](const DoneRenames& done) {
        QStringList out;
        for (const RenameResult& rename : done.toList())
            out.append(rename.folder + '|' + rename.from + '|' + rename.to + '|' +
                       QString::fromUtf8(rename.identity));
        return out;
    };
    DoneRenames done(list);
    const DoneRenames kept = done; // a copy keeps every rename while the other drops some
    QCOMPARE(texts(done), renames);
    done.removeUnchanged();
    done.trim();
    QCOMPARE(texts(done), changed);
    QCOMPARE(texts(kept), renames);
    QCOMPARE(texts(DoneRenames(done.toList())), changed);

    // A run's record names its renames by their pairs, the last one by its texts; with pairs
    // that were not renamed besides, trim() moves the names it keeps to its own lists.
    for (const qsizetype nExtra : {qsizetype(0), 2 * list.size() + 1}) {
        QStringList from, to;
        for (const RenameResult& rename : list)
            from.append(rename.from), to.append(rename.to);
        for (qsizetype i = 0; i < nExtra; ++i)
            from.append("extra"), to.append("other");
        DoneRenames byPair(from, to);
        for (qsizetype i = 0; i < list.size(); ++i) {
            if (i + 1 < list.size())
                byPair.appendPair(i, list[i].folder, list[i].identity);
            else
                byPair.append(list[i]);
        }
        QCOMPARE(texts(byPair), renames);
        byPair.removeUnchanged();
        byPair.trim();
        QCOMPARE(texts(byPair), changed);
    }
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
    MessageRecorder reporter;
    FakePlatform platform(&reporter);
    platform.folder = folderWorks ? dir.path() + '/' : QString();
    platform.startWorks = startWorks;

    QVERIFY(!RunShellMethod({"/photos", {"a.txt"}, {newName}}, platform, reporter));
    QCOMPARE(reporter.shown.size(), 1);
    QVERIFY2(reporter.shown[0].text.contains(named), qPrintable(reporter.shown[0].text));
    QCOMPARE(reporter.shown[0].icon, MessageIcon::Critical);
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
    MessageRecorder reporter;
    FakePlatform platform(&reporter);
    platform.folder = dir.path() + '/';

    QVERIFY(RunShellMethod({"/photos", {}, {}}, platform, reporter));
    QCOMPARE(platform.started, QStringList{dir.path() + "/rename.bat"});
    QCOMPARE(ReadAll(dir.path() + "/rename.bat"),
             QByteArray("cd /d \"/photos/\"\r\nif errorlevel 1 exit /b 1\r\n/\r\n"));
    QCOMPARE(reporter.shown.size(), 1);
    QCOMPARE(reporter.shown[0].text, "Rename Finished!");
    QCOMPARE(reporter.shown[0].title, QString());
    QCOMPARE(reporter.shown[0].icon, MessageIcon::None);
    QCOMPARE(reporter.rangeCalls + reporter.valueCalls, 0);
}

void TestRenameRun::shellFallsBackWhenTheFolderRefusesTheScript()
{
    QTemporaryDir dir;
    MessageRecorder reporter;
    FakePlatform platform(&reporter);
    platform.folder = dir.path() + "/refusing/"; // missing: the script cannot go there
    platform.fallbackFolder = dir.path() + "/own/";
    QVERIFY(QDir(dir.path()).mkdir("own"));

    QVERIFY(RunShellMethod({"/photos", {}, {}}, platform, reporter));
    QCOMPARE(platform.started, QStringList{dir.path() + "/own/rename.bat"});
    QCOMPARE(ReadAll(dir.path() + "/own/rename.bat"),
             QByteArray("cd /d \"/photos/\"\r\nif errorlevel 1 exit /b 1\r\n/\r\n"));
    QCOMPARE(reporter.shown.size(), 1); // no word about the other folder
    QCOMPARE(reporter.shown[0].text, "Rename Finished!");

    // Both folders refuse: one error, naming the first folder, and nothing started.
    reporter.shown.clear();
    platform.started.clear();
    platform.fallbackFolder = dir.path() + "/missing too/";
    QVERIFY(!RunShellMethod({"/photos", {}, {}}, platform, reporter));
    QCOMPARE(reporter.shown.size(), 1);
    QVERIFY2(reporter.shown[0].text.contains("refusing"), qPrintable(reporter.shown[0].text));
    QCOMPARE(reporter.shown[0].icon, MessageIcon::Critical);
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

    MessageRecorder reporter;
    const std::unique_ptr<Platform> platform = CreatePlatform();
    QVERIFY(RunShellMethod({photos.path(), current, proposed}, *platform, reporter));
    QCOMPARE(reporter.shown.size(), 1);
    QCOMPARE(reporter.shown[0].text, "Rename Finished!");

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

    MessageRecorder reporter;
    const std::unique_ptr<Platform> platform = CreatePlatform();
    QVERIFY(!RunShellMethod({photos.path(), {"a.txt"}, {"b.txt"}}, *platform, reporter));
    QCOMPARE(reporter.shown.size(), 1);
    QVERIFY2(reporter.shown[0].text.contains("still going on"), qPrintable(reporter.shown[0].text));
    QCOMPARE(ReadAll(log), QByteArray("the other run's report\n"));
    QVERIFY(QFile::exists(photos.path() + "/a.txt"));
}

void TestRenameRun::folderReplacedAfterTheListing_data()
{
    QTest::addColumn<bool>("shell");
    QTest::addColumn<bool>("asTheScriptStarts"); // replaced after the window's own check
    QTest::newRow("api") << false << false;
    QTest::newRow("shell") << true << false;
    QTest::newRow("shell, replaced as the interpreter starts") << true << true;
}

void TestRenameRun::folderReplacedAfterTheListing()
{
    // The listed folder is moved away and a link to another folder put in its place: the run
    // must not rename the other folder's files that happen to bear the listed names.
    QFETCH(bool, shell);
    QFETCH(bool, asTheScriptStarts);
    QTemporaryDir root;
    const QString listed = root.path() + "/d";
    const QString other = root.path() + "/other";
    QVERIFY(QDir().mkpath(listed) && QDir().mkpath(other));
    for (const QString& name : QStringList{"a.txt", "b.txt"}) {
        QVERIFY(WriteFile(listed + '/' + name, "listed"));
        QVERIFY(WriteFile(other + '/' + name, "other"));
    }
    SwappingPlatform platform;
    RenameJob job{listed, {"a.txt", "b.txt"}, {"x.txt", "y.txt"}};
    job.folderIdentity = platform.folderIdentity(listed).value_or(QByteArray());
    QVERIFY(!job.folderIdentity.isEmpty());
    const auto replace = [&] {
        QVERIFY(QDir(root.path()).rename("d", "d.moved"));
        QVERIFY(QFile::link(other, listed));
    };
    if (asTheScriptStarts)
        platform.beforeStart = replace;
    else
        replace();

    EnvGuard cache;
    QTemporaryDir cacheDir;
    cache.set("XDG_CACHE_HOME", cacheDir.path().toUtf8());
    MessageRecorder reporter;
    QString refusal;
    if (asTheScriptStarts) {
        // The window's check passed; the interpreter's cd refuses the folder.
        const std::unique_ptr<ScriptRun> run = RunShellMethod(job, platform, reporter);
        QVERIFY(run);
        QTRY_VERIFY_WITH_TIMEOUT(!run->isRunning(), 20000);
        for (const ScriptLineResult& line : run->results()) {
            QVERIFY(line.kind != ScriptLineResult::Kind::Renamed);
            refusal += line.rename.reason + line.message;
        }
    } else if (shell) {
        QVERIFY(!RunShellMethod(job, platform, reporter));
    } else {
        const RunOutcome outcome = RunApiMethod(job, platform, reporter);
        QVERIFY(outcome.done.isEmpty());
    }
    if (!asTheScriptStarts) {
        QCOMPARE(reporter.shown.size(), 1);
        refusal = reporter.shown[0].text;
    }
    QVERIFY2(refusal.contains("is no longer the folder that was listed") &&
                 refusal.contains(listed),
             qPrintable(refusal));
    QCOMPARE(Contents(other), (QStringList{"a.txt=other", "b.txt=other"}));
    QCOMPARE(Contents(root.path() + "/d.moved"), (QStringList{"a.txt=listed", "b.txt=listed"}));
}

void TestRenameRun::batchFileWritesAndOpens()
{
    QTemporaryDir work;
    CurrentDirGuard cwd(work.path());
    MessageRecorder reporter;
    FakePlatform platform(&reporter);
    std::optional<QByteArray> written; // what this program wrote last

    QVERIFY(WriteBatchForReview({"/photos", {"a"}, {"b"}}, platform, reporter, &written));
    QVERIFY(WriteBatchForReview({"/photos", {}, {}}, platform, reporter, &written));
    QCOMPARE(platform.opened, (QStringList{"rename.bat", "rename.bat"}));
    const QByteArray script("cd /d \"/photos/\"\r\nif errorlevel 1 exit /b 1\r\n/\r\n");
    QCOMPARE(ReadAll(work.path() + "/rename.bat"), script);
    QVERIFY(reporter.shown.isEmpty()); // its own unchanged script is replaced silently

    // A script the user edited, or one this program did not write, is replaced only on "Yes".
    for (std::optional<QByteArray>* last :
         {&written, static_cast<std::optional<QByteArray>*>(nullptr)}) {
        QVERIFY(WriteFile(work.path() + "/rename.bat", "edited by hand\r\n"));
        reporter.shown.clear();
        platform.opened.clear();
        reporter.reply = [](const MessageRequest& request) {
            return MessageReply{!request.question, false};
        };
        QVERIFY(!WriteBatchForReview({"/photos", {}, {}}, platform, reporter, last));
        QCOMPARE(reporter.shown.size(), 1);
        QCOMPARE(reporter.shown[0].text, "rename.bat already exists in " +
                                             QDir::toNativeSeparators(work.path()) +
                                             ". Replace it?");
        QCOMPARE(ReadAll(work.path() + "/rename.bat"), QByteArray("edited by hand\r\n"));
        QVERIFY(platform.opened.isEmpty());
        reporter.reply = {};
        QVERIFY(WriteBatchForReview({"/photos", {}, {}}, platform, reporter, last));
        QCOMPARE(ReadAll(work.path() + "/rename.bat"), script);
    }
    reporter.shown.clear();

    platform.editorWorks = false;
    QVERIFY(!WriteBatchForReview({"/photos", {}, {}}, platform, reporter, &written));
    QCOMPARE(reporter.shown.size(), 1);
    QVERIFY(reporter.shown[0].text.contains("no editor"));

    platform.editorWorks = true;
    platform.opened.clear();
    QVERIFY(!WriteBatchForReview({"/photos", {"a"}, {"x\ny"}}, platform, reporter, &written));
    QVERIFY(platform.opened.isEmpty());
    QCOMPARE(reporter.shown.size(), 2);
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

    MessageRecorder reporter;
    const std::unique_ptr<Platform> platform = CreatePlatform();
    const bool opened = WriteBatchForReview({"/photos", {"a"}, {"b"}}, *platform, reporter);
    QVERIFY(QFile::exists(work.path() + "/cwd/rename.bat"));
    if (editorsOnPath.isEmpty()) {
        QVERIFY(!opened);
        QCOMPARE(reporter.shown.size(), 1);
        QVERIFY(reporter.shown[0].text.contains("No text editor"));
        return;
    }
    QVERIFY(opened);
    QVERIFY(reporter.shown.isEmpty());
    const QByteArray expected =
        (recordedBefore + QStringList{work.path() + "/cwd/rename.bat"}).join('\n').toUtf8() + '\n';
    QTRY_COMPARE_WITH_TIMEOUT(ReadAll(record), expected, 10000);
}

int main(int argc, char* argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--api-run-child") == 0) {
        QCoreApplication app(argc, argv);
        return RunApiChild(QFile::decodeName(argv[2]));
    }
    QCoreApplication app(argc, argv);
    TestRenameRun test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_rename_run.moc"
