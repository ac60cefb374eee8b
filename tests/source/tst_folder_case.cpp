// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a folder's file system ignores case, asked of real folders: this machine's own
// (which keeps case) and a FAT image through FUSE, which ignores case but gives two spellings
// of one file different inode numbers.

#include "fat_image.h"
#include "folder_files.h"
#include "names/folder_rules.h"

#include <QtTest>

using namespace quillet;

class TestFolderCase : public QObject
{
    Q_OBJECT

private slots:
    void ignoresCase_data();
    void ignoresCase();

private:
    test::FatImage fat_;
};

void TestFolderCase::ignoresCase_data()
{
    QTest::addColumn<bool>("onFat");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("ignores");

    QTest::newRow("FAT") << true << QStringList{"Photo.JPG", "b.txt"} << true;
    QTest::newRow("FAT, first name without letters") << true << QStringList{"123", "x.txt"} << true;
    QTest::newRow("case kept") << false << QStringList{"Photo.JPG"} << false;
    QTest::newRow("case kept, both spellings present")
        << false << QStringList{"a.txt", "A.txt"} << false;
    QTest::newRow("case kept, other spelling is a folder")
        << false << QStringList{"a.txt", "A.txt/"} << false;
}

void TestFolderCase::ignoresCase()
{
    QFETCH(bool, onFat);
    QFETCH(QStringList, files);
    QFETCH(bool, ignores);

    QTemporaryDir plain;
    QString folder = plain.path();
    if (onFat) {
        folder = fat_.Mount();
        if (folder.isEmpty())
            QSKIP(qPrintable(fat_.SkipReason()));
        static int s_nFolder = 0;
        folder += "/case" + QString::number(++s_nFolder); // one fresh folder per row
        QVERIFY(QDir().mkpath(folder));
    }
    QStringList listed;
    for (const QString& name : files) {
        if (name.endsWith('/')) {
            QVERIFY(QDir(folder).mkdir(name.chopped(1)));
        } else {
            QVERIFY(test::WriteFile(folder + '/' + name, name.toUtf8()));
            listed << name;
        }
    }
    QCOMPARE(FolderIgnoresCase(folder, listed), ignores);
}

QTEST_GUILESS_MAIN(TestFolderCase)
#include "tst_folder_case.moc"
