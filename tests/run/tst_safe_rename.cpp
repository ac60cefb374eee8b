// SPDX-License-Identifier: GPL-3.0-or-later
#include "folder_files.h"
#include "run/platform/platform.h"
#include "run/platform/posix/safe_rename.h"

#include "fat_image.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>

using namespace quillet;
using quillet::posix::SafeRenameInFolder;
using quillet::test::Contents;
using quillet::test::WriteFile;

namespace
{

} // namespace

class TestSafeRename : public QObject
{
    Q_OBJECT

private slots:
    void refusesNames_data();
    void refusesNames();
    void renames_data();
    void renames();
    void onFatImage_data();
    void onFatImage();
    void concurrentRunsLoseNothingOnFat();
    void heldFolderKeepsItsRenamesWhenReplaced();

private:
    // A FAT image mounted through FUSE: a file system that ignores case and supports neither
    // RENAME_NOREPLACE nor hard links. Empty when it cannot be mounted here.
    QString mountFat() { return fat_.Mount(); }
    void renamesOn(const QString& folder);
    QString freshFatFolder()
    {
        const QString folder = fat_.Mount() + QStringLiteral("/t%1").arg(++fatFolders_);
        return QDir().mkdir(folder) ? folder : QString();
    }

    test::FatImage fat_;
    int fatFolders_ = 0;
};

void TestSafeRename::refusesNames_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("reason");

    QTest::newRow("empty new name") << "a"
                                    << ""
                                    << "empty";
    QTest::newRow("dot") << "a"
                         << "."
                         << "stands for a folder";
    QTest::newRow("dot dot") << "a"
                             << ".."
                             << "stands for a folder";
    QTest::newRow("path in the new name") << "a"
                                          << "sub/a"
                                          << "separates folders";
    QTest::newRow("parent in the new name") << "a"
                                            << "../a"
                                            << "separates folders";
    QTest::newRow("NUL in the new name") << "a" << QString("b") + QChar(0) + "c"
                                         << "NUL";
    QTest::newRow("path in the old name") << "sub/x"
                                          << "b"
                                          << "separates folders";
    QTest::newRow("empty old name") << ""
                                    << "b"
                                    << "empty";
}

void TestSafeRename::refusesNames()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    QVERIFY(WriteFile(dir.path() + "/a", "a") && QDir(dir.path()).mkdir("sub"));
    QVERIFY(WriteFile(dir.path() + "/sub/x", "x"));
    const RenameResult outcome = SafeRenameInFolder(dir.path() + '/', from, to);
    QVERIFY(!outcome.ok);
    QVERIFY2(outcome.reason.contains(reason), qPrintable(outcome.reason));
    QCOMPARE(Contents(dir.path()), QStringList{"a=a"});
    QCOMPARE(Contents(dir.path() + "/sub"), QStringList{"x=x"});
}

void TestSafeRename::renames_data()
{
    QTest::addColumn<bool>("onFat");
    QTest::newRow("local file system") << false;
    QTest::newRow("FAT image through FUSE") << true;
}

void TestSafeRename::renames()
{
    QFETCH(bool, onFat);
    QTemporaryDir dir;
    QString folder = dir.path();
    if (onFat) {
        if (mountFat().isEmpty())
            QSKIP(qPrintable(fat_.SkipReason()));
        folder = freshFatFolder();
    }
    renamesOn(folder);
}

// Cases that hold on any file system; case-only cases depend on it and are tested apart.
void TestSafeRename::renamesOn(const QString& folder)
{
    QVERIFY(WriteFile(folder + "/a.txt", "a") && WriteFile(folder + "/b.txt", "b"));
    const QString f = folder + '/';

    RenameResult outcome = SafeRenameInFolder(f, "a.txt", "b.txt");
    QVERIFY(!outcome.ok);
    QVERIFY2(outcome.reason.contains("already exists"), qPrintable(outcome.reason));
    QCOMPARE(Contents(folder), (QStringList{"a.txt=a", "b.txt=b"}));

    outcome = SafeRenameInFolder(f, "gone.txt", "c.txt");
    QVERIFY(!outcome.ok);
    QVERIFY2(outcome.reason.contains("does not exist"), qPrintable(outcome.reason));

    QVERIFY(SafeRenameInFolder(f, "a.txt", "a.txt").ok);
    QVERIFY(SafeRenameInFolder(folder, "a.txt", "c d.txt").ok); // folder without the "/"
    QCOMPARE(Contents(folder), (QStringList{"b.txt=b", "c d.txt=a"}));

    // A change of case alone: a plain rename where case matters, two steps where it does not.
    outcome = SafeRenameInFolder(f, "b.txt", "B.TXT");
    QVERIFY2(outcome.ok, qPrintable(outcome.reason));
    QCOMPARE(Contents(folder), (QStringList{"B.TXT=b", "c d.txt=a"}));
}

void TestSafeRename::onFatImage_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("after");

    QTest::newRow("case only, lower to upper") << QStringList{"a.txt"} << "a.txt"
                                               << "A.TXT" << true << QStringList{"A.TXT=a.txt"};
    QTest::newRow("case only, mixed")
        << QStringList{"readme.md", "other"} << "readme.md"
        << "ReadMe.MD" << true << QStringList{"ReadMe.MD=readme.md", "other=other"};
    QTest::newRow("plain rename without RENAME_NOREPLACE")
        << QStringList{"c.txt"} << "c.txt"
        << "d.txt" << true << QStringList{"d.txt=c.txt"};
    QTest::newRow("never replaces")
        << QStringList{"x.txt", "y.txt"} << "x.txt"
        << "y.txt" << false << QStringList{"x.txt=x.txt", "y.txt=y.txt"};
    QTest::newRow("never replaces a name differing in case")
        << QStringList{"x.txt", "y.txt"} << "x.txt"
        << "Y.TXT" << false << QStringList{"x.txt=x.txt", "y.txt=y.txt"};
}

void TestSafeRename::onFatImage()
{
    QFETCH(QStringList, files);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(bool, ok);
    QFETCH(QStringList, after);

    const QString mount = mountFat();
    if (mount.isEmpty())
        QSKIP(qPrintable(fat_.SkipReason()));
    const QString sub = freshFatFolder();
    for (const QString& name : files)
        QVERIFY(WriteFile(sub + '/' + name, name.toUtf8()));

    QVERIFY(!sub.isEmpty());
    const RenameResult outcome = SafeRenameInFolder(sub + '/', from, to);
    QVERIFY2(outcome.ok == ok, qPrintable(outcome.reason));
    QCOMPARE(Contents(sub), after);
}

void TestSafeRename::concurrentRunsLoseNothingOnFat()
{
    // Two runs at once give 300 files each the same 300 new names, on a file system without
    // a no-replace rename or hard links: every name goes to one file, no file is replaced.
    // fusefat takes time growing with the folder for each new file, so the test keeps to
    // 2 x 50 files in 3 rounds; QUILLET_CONCURRENT_FILES (files of each run) and
    // QUILLET_CONCURRENT_ROUNDS set more.
    if (mountFat().isEmpty())
        QSKIP(qPrintable(fat_.SkipReason()));
    const auto setting = [](const char* name, int fallback) {
        return qEnvironmentVariableIsSet(name) ? qEnvironmentVariableIntValue(name) : fallback;
    };
    const int rounds = setting("QUILLET_CONCURRENT_ROUNDS", 3);
    const int kEach = setting("QUILLET_CONCURRENT_FILES", 50);
    int lost = 0;
    for (int round = 0; round < rounds; ++round) {
        const QString folder = freshFatFolder();
        QVERIFY(!folder.isEmpty());
        QStringList names;
        for (int i = 0; i < kEach; ++i)
            names << QString::asprintf("a%03d.aaa", i) << QString::asprintf("b%03d.bbb", i);
        for (const QString& name : names)
            QVERIFY(WriteFile(folder + '/' + name, name.toUtf8()));
        const auto run = [&folder, kEach](char letter) {
            for (int i = 0; i < kEach; ++i)
                SafeRenameInFolder(
                    folder + '/',
                    QString::asprintf("%c%03d.%c%c%c", letter, i, letter, letter, letter),
                    QString::asprintf("t%03d", i));
        };
        std::thread first(run, 'a');
        std::thread second(run, 'b');
        first.join();
        second.join();

        QStringList contents;
        for (const QString& entry : Contents(folder))
            contents << entry.section('=', 1);
        contents.sort();
        names.sort();
        int missing = 0;
        for (const QString& name : names)
            missing += contents.contains(name) ? 0 : 1;
        lost += missing;
        QVERIFY(QDir(folder).removeRecursively());
    }
    qInfo("%d rounds of two concurrent runs over %d files: %d files lost", rounds, 2 * kEach, lost);
    QCOMPARE(lost, 0);
}

void TestSafeRename::heldFolderKeepsItsRenamesWhenReplaced()
{
    // The run's folder is opened, then moved away and a link to another folder put in its
    // place: the renames still go to the folder opened, none to the link's target, and the
    // folder can no longer be opened as the listed one.
    QTemporaryDir root;
    const QString listed = root.path() + "/d";
    const QString other = root.path() + "/other";
    QVERIFY(QDir().mkpath(listed) && QDir().mkpath(other));
    for (const char* name : {"a.txt", "b.txt"}) {
        QVERIFY(WriteFile(listed + '/' + name, "listed"));
        QVERIFY(WriteFile(other + '/' + name, "other"));
    }
    const std::unique_ptr<Platform> platform = CreatePlatform();
    const QByteArray identity = platform->folderIdentity(listed).value_or(QByteArray());
    QVERIFY(!identity.isEmpty());
    QString error;
    const std::unique_ptr<RunFolder> held = platform->openRunFolder(listed + '/', identity, &error);
    QVERIFY2(held, qPrintable(error));

    QVERIFY(QDir(root.path()).rename("d", "d.moved"));
    QVERIFY(QFile::link(other, listed));
    const RenameResult outcome = held->rename("a.txt", "x.txt");
    QVERIFY2(outcome.ok, qPrintable(outcome.reason));
    QVERIFY(!held->rename("b.txt", "x.txt").ok); // never over a file, here too
    QCOMPARE(held->fileIdentity("x.txt"),
             platform->fileIdentity(root.path() + "/d.moved/", "x.txt"));
    QCOMPARE(held->fileIdentity("a.txt"), std::nullopt);

    QCOMPARE(Contents(other), (QStringList{"a.txt=other", "b.txt=other"}));
    QCOMPARE(Contents(root.path() + "/d.moved"), (QStringList{"b.txt=listed", "x.txt=listed"}));
    QVERIFY(!platform->openRunFolder(listed + '/', identity, &error));
    QVERIFY2(error.contains("is no longer the folder that was listed") && error.contains(listed),
             qPrintable(error));
}

QTEST_GUILESS_MAIN(TestSafeRename)
#include "tst_safe_rename.moc"
