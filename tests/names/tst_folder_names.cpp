// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of a real folder's file system: a FAT image through FUSE beside this machine's
// own disk, where the marks and the rename layer go by the same rules.

#include "core/name_conflicts.h"
#include "fat_image.h"
#include "names/folder_rules.h"
#include "run/platform/platform.h"

#include <QtTest>

using namespace quillet;

class TestFolderNames : public QObject
{
    Q_OBJECT

private slots:
    void marksByFolder();

private:
    test::FatImage fat_;
};

void TestFolderNames::marksByFolder()
{
    // The same proposals are marked by the rules of the folder's own file system.
    const QString mount = fat_.Mount();
    if (mount.isEmpty())
        QSKIP(qPrintable(fat_.SkipReason()));
    QTemporaryDir disk;
    const QStringList current{"a.txt", "b.txt", "c.txt", "d.txt"};
    const QStringList proposed{"a:b.txt", "con.txt", "name.", "plain.txt"};
    for (const QString& folder : {mount, disk.path()}) {
        for (const QString& name : current) {
            QFile file(folder + '/' + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }
    const NameRules fat = FolderNameRules(mount, current);
    QCOMPARE(fat, NameRules::Windows());
    const auto I = NameProblem::Invalid;
    const auto N = NameProblem::None;
    QCOMPARE(CheckProposedNames(current, proposed, current, fat), (QList<NameProblem>{I, I, I, N}));
    const NameRules plain = FolderNameRules(disk.path(), current);
    QCOMPARE(plain, NameRules::Posix());
    QCOMPARE(CheckProposedNames(current, proposed, current, plain),
             (QList<NameProblem>{N, N, N, N}));

    // The rename layer refuses there what is marked, and leaves the file as it was.
    const std::unique_ptr<Platform> platform = CreatePlatform();
    for (qsizetype i = 0; i < current.size(); ++i) {
        const bool bFine = i == current.size() - 1;
        const RenameResult onFat = platform->renameInFolder(mount + '/', current[i], proposed[i]);
        QVERIFY2(onFat.ok == bFine, qPrintable(proposed[i] + ": " + onFat.reason));
        QCOMPARE(QFile::exists(mount + '/' + current[i]), !bFine);
        QVERIFY(platform->renameInFolder(disk.path() + '/', current[i], proposed[i]).ok);
    }
}

QTEST_GUILESS_MAIN(TestFolderNames)
#include "tst_folder_names.moc"
