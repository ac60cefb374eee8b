// SPDX-License-Identifier: GPL-3.0-or-later
// The folder list: the chain from the root, the subfolders, opening, unreadable folders.
#include "source/folder_list.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "read_rights.h"

#include <sys/stat.h>
#include <unistd.h>

using namespace quillet;

using Chain = QList<FolderEntry>;

class TestFolderList : public QObject
{
    Q_OBJECT

private slots:
    void chain_data();
    void chain();
    void subfoldersSortedAndFiltered();
    void openMakesCurrent();
    void unreadableFolder();
    void removedFolder();
};

void TestFolderList::chain_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<Chain>("chain");
    QTest::newRow("root") << "/" << Chain{{"/", "/"}};
    QTest::newRow("posix") << "/home/user"
                           << Chain{{"/", "/"}, {"home", "/home"}, {"user", "/home/user"}};
    QTest::newRow("drive letter") << "c:/Windows/System32"
                                  << Chain{{"c:/", "c:/"},
                                           {"Windows", "c:/Windows"},
                                           {"System32", "c:/Windows/System32"}};
    QTest::newRow("drive root") << "d:/" << Chain{{"d:/", "d:/"}};
    QTest::newRow("network share")
        << "//server/share/docs"
        << Chain{{"//server/share/", "//server/share/"}, {"docs", "//server/share/docs"}};
    QTest::newRow("spaces and Greek")
        << QStringLiteral("/data/Φάκελος με κενά")
        << Chain{{"/", "/"},
                 {"data", "/data"},
                 {QStringLiteral("Φάκελος με κενά"), QStringLiteral("/data/Φάκελος με κενά")}};
}

void TestFolderList::chain()
{
    QFETCH(QString, path);
    QFETCH(Chain, chain);
    QCOMPARE(FolderChain(path), chain);
}

void TestFolderList::subfoldersSortedAndFiltered()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QDir root(dir.path());
    for (const char* name : {"beta", "Alpha", "gamma", ".hidden", "Beta2"})
        QVERIFY(root.mkdir(QString::fromUtf8(name)));
    QVERIFY(root.mkdir(QStringLiteral("Φάκελος με κενά")));
    QFile file(root.filePath("file.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
#ifndef Q_OS_WIN // a link there is a shortcut file, not a folder
    QVERIFY(QFile::link(root.filePath("gamma"), root.filePath("link to gamma")));
#endif

    FolderList list;
    QVERIFY(list.SetPath(dir.path() + "/./"));
    const QString path = NormalizeFolderPath(dir.path());
    QCOMPARE(list.Path(), path);
    QStringList names;
    for (const FolderEntry& entry : list.Subfolders()) {
        names.append(entry.name);
        QCOMPARE(entry.path, path + "/" + entry.name);
    }
    QStringList expected{"Alpha", "beta",          "Beta2",
                         "gamma", "link to gamma", QStringLiteral("Φάκελος με κενά")};
#ifdef Q_OS_WIN
    expected.removeOne("link to gamma");
#endif
    QCOMPARE(names, expected);
    QCOMPARE(list.Chain(), FolderChain(path));
    QCOMPARE(list.Entries().at(list.CurrentIndex()).path, path);
}

void TestFolderList::openMakesCurrent()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString greek = QStringLiteral("Φάκελος με κενά");
    QVERIFY(QDir().mkpath(dir.filePath(greek + "/inner")));

    FolderList list;
    QVERIFY(list.SetPath(dir.path()));
    QVERIFY(list.Open(list.Chain().size())); // the first subfolder
    QCOMPARE(list.Path(), NormalizeFolderPath(dir.filePath(greek)));
    QCOMPARE(list.Chain().last().name, greek);
    QCOMPARE(list.Subfolders(), (QList<FolderEntry>{{"inner", list.Path() + "/inner"}}));

    // Back up the chain to the parent.
    QVERIFY(list.Open(list.CurrentIndex() - 1));
    QCOMPARE(list.Path(), NormalizeFolderPath(dir.path()));

    QString error;
    QVERIFY(!list.Open(99, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(list.Path(), NormalizeFolderPath(dir.path()));
}

void TestFolderList::unreadableFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = NormalizeFolderPath(dir.filePath("locked"));
    QVERIFY(QDir().mkpath(folder + "/inside"));
    QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0) == 0);
    FolderList list;
    QString error;
    bool bOk = false;
    {
        const WithoutReadOverride notAsRoot;
        bOk = list.SetPath(folder, &error);
    }
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    if (bOk)
        QSKIP("Running with rights that read a folder of mode 000 all the same");
    QVERIFY2(error.contains(QDir::toNativeSeparators(folder)), qPrintable(error));
    QCOMPARE(list.Path(), folder);
    QVERIFY(list.Subfolders().isEmpty());
}

void TestFolderList::removedFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = NormalizeFolderPath(dir.filePath("gone"));
    QVERIFY(QDir().mkpath(folder + "/inside"));
    FolderList list;
    QVERIFY(list.SetPath(folder));
    QCOMPARE(list.Subfolders().size(), 1);
    QVERIFY(QDir(folder).removeRecursively());

    QString error;
    QVERIFY(!list.Open(list.Chain().size(), &error)); // "inside", removed meanwhile
    QVERIFY2(error.contains(QDir::toNativeSeparators(folder + "/inside")), qPrintable(error));
    QVERIFY(list.Subfolders().isEmpty());
    QCOMPARE(list.Error(), error);
}

QTEST_GUILESS_MAIN(TestFolderList)
#include "tst_folder_list.moc"
