// SPDX-License-Identifier: GPL-3.0-or-later
#include "folder_files.h"
#include "run/batch_interpreter.h"
#include "run/batch_script.h"
#include "run/platform/platform.h"
#include "run/run_journal.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using namespace quillet;
using quillet::test::Contents;
using quillet::test::WriteFile;

namespace
{

} // namespace

class TestBatchInterpreter : public QObject
{
    Q_OBJECT

private slots:
    void run_data();
    void run();
    void writerScriptRoundTrip();
    void identitiesReadAheadNameTheFileMoved();
    void executableExitCodes();
    void reportOfAScriptOnStandardInput();
    void oneRunAtATimeInAFolder();
    void outlivesTheProgramThatWatchesIt();
};

void TestBatchInterpreter::run_data()
{
    QTest::addColumn<QStringList>("files");  // made in the folder, each holding its name
    QTest::addColumn<QStringList>("script"); // {dir} stands for the folder, without "/"
    QTest::addColumn<QStringList>("after");  // name=first name, sorted
    QTest::addColumn<int>("renamed");
    QTest::addColumn<int>("failed");

    QTest::newRow("renames the folder's files")
        << QStringList{"a.txt", "b.txt"}
        << QStringList{"cd {dir}/", "{d2}", R"(rename "a.txt" "x y.txt")",
                       R"(rename "b.txt" "z.txt")"}
        << QStringList{"x y.txt=a.txt", "z.txt=b.txt"} << 2 << 0;
    QTest::newRow("never replaces")
        << QStringList{"a.txt", "b.txt"} << QStringList{"cd {dir}/", R"(rename "a.txt" "b.txt")"}
        << QStringList{"a.txt=a.txt", "b.txt=b.txt"} << 0 << 1;
    QTest::newRow("swap: both refused, nothing lost")
        << QStringList{"a.txt", "b.txt"}
        << QStringList{"cd {dir}/", R"(rename "a.txt" "b.txt")", R"(rename "b.txt" "a.txt")"}
        << QStringList{"a.txt=a.txt", "b.txt=b.txt"} << 0 << 2;
    QTest::newRow("chain in working order")
        << QStringList{"a", "b"}
        << QStringList{"cd {dir}/", R"(rename "b" "c")", R"(rename "a" "b")"}
        << QStringList{"b=a", "c=b"} << 2 << 0;
    QTest::newRow("chain in blocked order")
        << QStringList{"a", "b"}
        << QStringList{"cd {dir}/", R"(rename "a" "b")", R"(rename "b" "c")"}
        << QStringList{"a=a", "c=b"} << 1 << 1;
    QTest::newRow("missing file, then the next line")
        << QStringList{"a"} << QStringList{"cd {dir}/", R"(rename "gone" "x")", R"(rename "a" "y")"}
        << QStringList{"y=a"} << 1 << 1;
    QTest::newRow("path in the new name")
        << QStringList{"a"}
        << QStringList{"cd {dir}/", R"(rename "a" "sub/a")", R"(rename "a" "../a")"}
        << QStringList{"a=a"} << 0 << 2;
    QTest::newRow("path in the old name")
        << QStringList{"a"} << QStringList{"cd {dir}/sub/", R"(rename "../a" "b")"}
        << QStringList{"a=a"} << 0 << 1;
    QTest::newRow("unknown line reported and skipped")
        << QStringList{"a"} << QStringList{"cd {dir}/", "del a", "@echo off", R"(rename "a" "b")"}
        << QStringList{"b=a"} << 1 << 2;
    QTest::newRow("double percent is one percent")
        << QStringList{"100%.txt"} << QStringList{"cd {dir}/", R"(rename "100%%.txt" "%%x%%.txt")"}
        << QStringList{"%x%.txt=100%.txt"} << 1 << 0;
    QTest::newRow("single percent refused, not expanded")
        << QStringList{"100%.txt"} << QStringList{"cd {dir}/", R"(rename "100%.txt" "1.txt")"}
        << QStringList{"100%.txt=100%.txt"} << 0 << 1;
    QTest::newRow("drive letters, comments, blanks, unquoted names, ren")
        << QStringList{"a", "b"} << QStringList{"D:",
                                                "cd {dir}/",
                                                "",
                                                "rem a comment",
                                                ":: another",
                                                "REN a c",
                                                "  rename   b\t\"d e\"  "}
        << QStringList{"c=a", "d e=b"} << 2 << 0;
    QTest::newRow("quoted cd with operators in the folder")
        << QStringList{"a"}
        << QStringList{R"(cd "{dir}/A&B (1)/")", R"(rename "x" "y")", "cd {dir}",
                       R"(rename "a" "b")"}
        << QStringList{"b=a"} << 2 << 0;
    QTest::newRow("failed cd stops renames until the next cd")
        << QStringList{"a"}
        << QStringList{"cd {dir}/", "cd {dir}/missing/", R"(rename "a" "b")", "cd {dir}/",
                       R"(rename "a" "c")"}
        << QStringList{"c=a"} << 1 << 2;
    QTest::newRow("writer's cd: a good cd goes on")
        << QStringList{"a"}
        << QStringList{"cd /d \"{dir}/\"", "if errorlevel 1 exit /b 1", "{drive}",
                       R"(rename "a" "b")"}
        << QStringList{"b=a"} << 1 << 0;
    QTest::newRow("writer's cd: a failed cd ends the script")
        << QStringList{"a"}
        << QStringList{"cd /d \"{dir}/missing/\"",
                       "if errorlevel 1 exit /b 1",
                       "{drive}",
                       R"(rename "a" "b")",
                       "cd {dir}/",
                       R"(rename "a" "c")"}
        << QStringList{"a=a"} << 0 << 2;
    QTest::newRow("cd || exit: a good cd goes on, a failed one ends the script")
        << QStringList{"a"}
        << QStringList{"cd /d \"{dir}/\" || exit /b 1", R"(rename "a" "b")",
                       "cd /d \"{dir}/missing/\" || exit /b 1", "cd {dir}/", R"(rename "b" "c")"}
        << QStringList{"b=a"} << 1 << 1;
    QTest::newRow("unclosed quote refused, not cut")
        << QStringList{"a", "b"}
        << QStringList{"cd {dir}/", R"(rename "a" "x)", R"(rename "b" "y" ")", "cd \"{dir}/sub/"}
        << QStringList{"a=a", "b=b"} << 0 << 3;
    QTest::newRow("last line without its line end refused")
        << QStringList{"a", "b"}
        << QStringList{"cd {dir}/", R"(rename "a" "x")", R"(rename "b" "y"{cut})"}
        << QStringList{"b=b", "x=a"} << 1 << 1;
    QTest::newRow("a line of more than 64 KiB skipped, the next one runs")
        << QStringList{"a"}
        << QStringList{"cd {dir}/", "rem " + QString(70000, 'x'), R"(rename "a" "b")"}
        << QStringList{"b=a"} << 1 << 1;
    // The interpreter reads 256 KiB at a time: the cd line starts 4 bytes before the end of
    // the first block.
    const QString longComment = "rem " + QString(64994, 'x');
    QTest::newRow("a line across two blocks read")
        << QStringList{"a"} << QStringList{longComment,
                                           longComment,
                                           longComment,
                                           longComment,
                                           "rem " + QString(2134, 'x'),
                                           "cd {dir}/",
                                           R"(rename "a" "b")"}
        << QStringList{"b=a"} << 1 << 0;
    QTest::newRow("wrong number of names")
        << QStringList{"a"} << QStringList{"cd {dir}/", R"(rename "a")", R"(rename a b c)"}
        << QStringList{"a=a"} << 0 << 2;
}

void TestBatchInterpreter::run()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, script);
    QFETCH(QStringList, after);
    QFETCH(int, renamed);
    QFETCH(int, failed);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("sub") && QDir(dir.path()).mkdir("A&B (1)"));
    QVERIFY(WriteFile(dir.path() + "/A&B (1)/x", "x"));
    for (const QString& name : files)
        QVERIFY(WriteFile(dir.path() + '/' + name, name.toUtf8()));
    // A last line marked {cut} has no line end, as in a script cut short.
    QString text = script.join("\r\n") + "\r\n";
    if (text.endsWith("{cut}\r\n"))
        text.chop(7);
    text.replace("{dir}", dir.path());
    // The writer's drive line: the drive letter, or the root of a POSIX path; scripts of
    // earlier versions gave the path's first two characters.
    text.replace("{drive}", dir.path().startsWith('/') ? QString("/") : dir.path().left(2));
    text.replace("{d2}", dir.path().left(2));

    QStringList reports;
    const std::unique_ptr<Platform> platform = CreatePlatform();
    const BatchRunSummary summary = RunBatchScript(text, QDir::rootPath(), *platform,
                                                   [&](const QString& e) { reports.append(e); });
    QCOMPARE(Contents(dir.path()), after);
    QCOMPARE(summary.renamed, renamed);
    QCOMPARE(summary.failedLines, failed);
    QCOMPARE(reports.size(), failed);
    for (const QString& report : reports)
        QVERIFY2(report.startsWith("line "), qPrintable(report));
}

void TestBatchInterpreter::writerScriptRoundTrip()
{
    // What the writer produces for a folder with awkward names, the interpreter runs as meant.
    QTemporaryDir base;
    const QString folder = base.path() + "/50% & (more)";
    QVERIFY(QDir().mkpath(folder));
    const QStringList current{"a b.txt", "100%.txt", QString::fromUtf8("\xc3\xa9t\xc3\xa9"),
                              "x*?.txt"};
    const QStringList proposed{"1 2.txt", "%OS%.txt", QString::fromUtf8("\xe6\x97\xa5"), "y.txt"};
    for (const QString& name : current)
        QVERIFY(WriteFile(folder + '/' + name, name.toUtf8()));
    const std::unique_ptr<Platform> platform = CreatePlatform();
    const ComposedScript script = ComposeBatchScript({folder, current, proposed}, '/',
                                                     [](const QString& t) { return t.toUtf8(); });
    QVERIFY(script.bytes);

    QStringList reports;
    const BatchRunSummary summary =
        RunBatchScript(QString::fromUtf8(*script.bytes), QDir::rootPath(), *platform,
                       [&](const QString& e) { reports.append(e); });
    QVERIFY2(reports.isEmpty(), qPrintable(reports.join('\n')));
    QCOMPARE(summary.renamed, 4);
    for (int i = 0; i < current.size(); ++i)
        QVERIFY2(QFile::exists(folder + '/' + proposed[i]), qPrintable(proposed[i]));
}

void TestBatchInterpreter::identitiesReadAheadNameTheFileMoved()
{
    // Identities are read ahead of the renames once the cd has run, some two thousand lines
    // in. The last three lines move a to t and b to a, then a (now b's file) to c: the
    // identity of that last rename must be b's, not the one a had when the line was read.
    QTemporaryDir dir;
    QStringList script{"cd \"" + dir.path() + "\""};
    for (int i = 0; i < 2000; ++i) {
        const QString name = QString::number(i);
        QVERIFY(WriteFile(dir.path() + '/' + name, {}));
        script.append("rename \"" + name + "\" \"n" + name + "\"");
    }
    QVERIFY(WriteFile(dir.path() + "/a", "a") && WriteFile(dir.path() + "/b", "b"));
    script << "rename a t"
           << "rename b a"
           << "rename a c";
    QByteArray bytes = script.join("\n").toUtf8() + '\n';
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    const std::unique_ptr<Platform> platform = CreatePlatform();
    QString error;
    const std::unique_ptr<RunJournal> journal = RunJournal::create(
        dir.path() + "/../journal-" + QFileInfo(dir.path()).fileName(), script.size(), &error);
    QVERIFY2(journal, qPrintable(error));
    QMap<QString, QByteArray> identities; // by new name
    RunBatchScript(
        buffer, dir.path(), *platform,
        [&](int, const BatchLineResult& result) {
            if (result.kind == BatchLineResult::Kind::Renamed)
                identities.insert(result.rename.to, result.rename.identity);
        },
        platform->folderIdentity(dir.path()).value_or(QByteArray()), journal.get());
    journal->remove();
    QCOMPARE(identities.size(), 2003);
    for (const char* name : {"n0", "n1999", "t", "c"})
        QCOMPARE(identities.value(name), platform->fileIdentity(dir.path() + '/', name).value());
}

void TestBatchInterpreter::executableExitCodes()
{
    QTemporaryDir dir;
    QVERIFY(WriteFile(dir.path() + "/a", "a") && WriteFile(dir.path() + "/b", "b"));
    const QString good = dir.path() + "/good.bat";
    const QString bad = dir.path() + "/bad.bat";
    QVERIFY(WriteFile(good, "cd " + dir.path().toUtf8() + "/\nrename \"a\" \"c\"\n"));
    QVERIFY(WriteFile(bad, "cd " + dir.path().toUtf8() + "/\nrename \"b\" \"c\"\n"));
    const QString interpreter = QCoreApplication::applicationDirPath() + "/quillet-batch";
    // The window names the folder it listed: a cd to another one ends the script untouched.
    const QString identity = CreatePlatform()->folderIdentity(dir.path()).value_or(QByteArray());
    QVERIFY(!identity.isEmpty());

    struct Case {
        QStringList arguments;
        int exitCode;
        QString error; // a part of what it reports; empty when it reports nothing
    };
    for (const Case& c :
         {Case{{"--folder-identity", "1:2", good}, 1, "is no longer the folder that was listed"},
          Case{{"--folder-identity", identity, good}, 0, {}}, Case{{bad}, 1, "could not rename"},
          Case{{dir.path() + "/none.bat"}, 2, "cannot read"}}) {
        QProcess process;
        process.start(interpreter, c.arguments);
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitCode(), c.exitCode);
        const QString error = QString::fromLocal8Bit(process.readAllStandardError());
        QVERIFY2(c.error.isEmpty() ? error.isEmpty() : error.contains(c.error), qPrintable(error));
    }
    QCOMPARE(Contents(dir.path()).filter(QRegularExpression("^[abc]=")),
             (QStringList{"b=b", "c=a"}));
}

void TestBatchInterpreter::reportOfAScriptOnStandardInput()
{
    // Awkward names survive the report; one pair is refused; a cd that fails is reported too.
    QTemporaryDir base;
    const QString folder = base.path() + "/50% & (more)";
    QVERIFY(QDir().mkpath(folder));
    const QStringList current{"a b.txt", "tab\there%20.txt", QString::fromUtf8("\xc3\xa9t\xc3\xa9"),
                              "kept.txt"};
    const QStringList proposed{"1  2.txt", "%OS%.txt", QString::fromUtf8("\xe6\x97\xa5"),
                               "1  2.txt"};
    for (const QString& name : current)
        QVERIFY(WriteFile(folder + '/' + name, name.toUtf8()));
    const ComposedScript script = ComposeBatchScript({folder, current, proposed}, '/',
                                                     [](const QString& t) { return t.toUtf8(); });
    QVERIFY(script.bytes);

    QProcess process;
    process.setWorkingDirectory(base.path());
    process.start(QCoreApplication::applicationDirPath() + "/quillet-batch", {"--report", "-"});
    process.write(*script.bytes + "cd /no/such/folder\r\n");
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitCode(), 1);

    using Kind = ScriptLineResult::Kind;
    QList<ScriptLineResult> results;
    for (const QByteArray& record : process.readAllStandardOutput().split('\n')) {
        if (record.isEmpty())
            continue;
        const std::optional<ScriptLineResult> result = ParseScriptLineResult(record);
        QVERIFY2(result, record.constData());
        results.append(*result);
    }
    QCOMPARE(results.size(), 5);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(results[i].kind, i == 3 ? Kind::Failed : Kind::Renamed);
        QCOMPARE(results[i].line, i + 4); // after the cd, its errorlevel check and the drive line
        QCOMPARE(results[i].rename.folder, folder + '/');
        QCOMPARE(results[i].rename.from, current[i]);
        QCOMPARE(results[i].rename.to, proposed[i]);
    }
    QVERIFY(!results[3].rename.reason.isEmpty());
    QCOMPARE(results[4].kind, Kind::LineError);
    QVERIFY(results[4].message.contains("/no/such/folder"));
    QVERIFY(QFile::exists(folder + "/kept.txt"));
}

void TestBatchInterpreter::oneRunAtATimeInAFolder()
{
    // While a run holds the folder, a second lock is refused and quillet-batch (another
    // process) renames nothing there; once the run lets go, the script runs.
    QTemporaryDir dir;
    QVERIFY(WriteFile(dir.path() + "/a", "a"));
    const std::unique_ptr<Platform> platform = CreatePlatform();
    QString error;
    std::unique_ptr<FolderRunLock> held = platform->lockFolderForRun(dir.path(), &error);
    QVERIFY2(held, qPrintable(error));
    QVERIFY(!platform->lockFolderForRun(dir.path() + "/.", &error));
    QVERIFY2(error.contains(dir.path()) && error.contains("still going on"), qPrintable(error));

    const ComposedScript script = ComposeBatchScript({dir.path(), {"a"}, {"b"}}, '/',
                                                     [](const QString& t) { return t.toUtf8(); });
    QVERIFY(script.bytes);
    const auto runInterpreter = [&](int exitCode) {
        QProcess process;
        process.start(QCoreApplication::applicationDirPath() + "/quillet-batch", {"-"});
        process.write(*script.bytes);
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitCode(), exitCode);
    };
    runInterpreter(1);
    QCOMPARE(Contents(dir.path()), QStringList{"a=a"});
    held.reset();
    runInterpreter(0);
    QCOMPARE(Contents(dir.path()), QStringList{"b=a"});
}

void TestBatchInterpreter::outlivesTheProgramThatWatchesIt()
{
    // The window killed while it feeds the script and reads the report: the interpreter gets
    // a script cut in the middle of a line and a report nobody reads. It runs every whole line
    // (no death by SIGPIPE), refuses the cut one, and its journal names exactly the renames.
    QTemporaryDir dir;
    const QString folder = dir.path() + "/photos";
    QVERIFY(QDir().mkdir(folder));
    RenameJob job{folder, {}, {}};
    for (int i = 0; i < 2000; ++i) {
        job.currentNames.append(QString::asprintf("f%04d", i));
        job.proposedNames.append(QString::asprintf("g%04d", i));
        QVERIFY(WriteFile(folder + '/' + job.currentNames.last(), "x"));
    }
    const std::optional<QByteArray> script =
        ComposeBatchScript(job, '/', [](const QString& t) { return t.toUtf8(); }).bytes;
    QVERIFY(script);
    const QByteArray cut = script->left(script->indexOf("g1500") + 3);
    QVERIFY(WriteFile(dir.path() + "/rename.bat", cut));

    QProcess process;
    process.setStandardInputFile(dir.path() + "/rename.bat");
    process.setChildProcessModifier([] {
        int ends[2];
        if (pipe(ends) == 0) { // a report pipe whose reader is gone
            close(ends[0]);
            dup2(ends[1], STDOUT_FILENO);
            close(ends[1]);
        }
    });
    const QString journalPath = dir.path() + "/run.journal";
    process.start(QCoreApplication::applicationDirPath() + "/quillet-batch",
                  {"--report", "--journal", journalPath, "--pairs", "2000", "-"});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);

    const QStringList renamed = QDir(folder).entryList({"g*"}, QDir::Files, QDir::Name);
    QCOMPARE(renamed, job.proposedNames.mid(0, 1500));
    const std::unique_ptr<FoundJournal> journal = ReadJournal(journalPath);
    QVERIFY(journal);
    QCOMPARE(journal->total(), 2000);
    QStringList journaled;
    for (const JournalPair& pair : journal->pairs()) {
        QCOMPARE(pair.state, JournalPair::State::Renamed);
        QCOMPARE(pair.folder, folder + '/');
        QVERIFY(!pair.identity.isEmpty());
        journaled.append(pair.to);
    }
    QCOMPARE(journaled, renamed);
}

QTEST_GUILESS_MAIN(TestBatchInterpreter)
#include "tst_batch_interpreter.moc"
