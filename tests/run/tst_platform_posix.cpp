// SPDX-License-Identifier: GPL-3.0-or-later
#include "names/case_mapping.h"
#include "names/file_name_bytes.h"
#include "run/platform/platform.h"
#include "run/platform/posix/private_folder.h"
#include "run/platform/posix/text_editor.h"
#include "source/folder_reader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quillet;

namespace
{

unsigned Mode(const QString& path)
{
    struct stat st;
    if (lstat(QFile::encodeName(path).constData(), &st) != 0)
        return 0xFFFF;
    return st.st_mode & 0777;
}

} // namespace

class TestPlatformPosix : public QObject
{
    Q_OBJECT

private slots:
    void privateFolderCreatedPrivate();
    void privateFolderNarrowedWhenOpen();
    void privateFolderRefusesSymlinkAndFile();
    void scriptFolderUnderCache();
    void encodesUtf8AndRefusesBrokenText();
    void desktopExec_data();
    void desktopExec();
    void namesThatAreNotUtf8KeepTheirBytes();
};

void TestPlatformPosix::privateFolderCreatedPrivate()
{
    QTemporaryDir dir;
    QString error;
    const std::optional<QString> folder =
        posix::EnsurePrivateFolder(dir.path() + "/cache/quillet", &error);
    QVERIFY2(folder, qPrintable(error));
    QCOMPARE(*folder, dir.path() + "/cache/quillet/");
    QCOMPARE(Mode(*folder), 0700u);
    QVERIFY(posix::EnsurePrivateFolder(*folder, &error)); // again: already there
}

void TestPlatformPosix::privateFolderNarrowedWhenOpen()
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/open";
    QVERIFY(QDir().mkdir(path));
    chmod(QFile::encodeName(path).constData(), 0777);
    QString error;
    QVERIFY2(posix::EnsurePrivateFolder(path, &error), qPrintable(error));
    QCOMPARE(Mode(path), 0700u);
}

void TestPlatformPosix::privateFolderRefusesSymlinkAndFile()
{
    QTemporaryDir dir;
    QVERIFY(QDir().mkdir(dir.path() + "/elsewhere"));
    QVERIFY(QFile::link(dir.path() + "/elsewhere", dir.path() + "/link"));
    QString error;
    QVERIFY(!posix::EnsurePrivateFolder(dir.path() + "/link", &error));
    QVERIFY2(error.contains("not a plain folder"), qPrintable(error));

    QFile file(dir.path() + "/file");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(!posix::EnsurePrivateFolder(dir.path() + "/file", &error));
}

void TestPlatformPosix::scriptFolderUnderCache()
{
    QTemporaryDir cache;
    const QByteArray saved = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    QString error;
    const std::optional<QString> folder = CreatePlatform()->scriptFolder(&error);
    qputenv("XDG_CACHE_HOME", saved);
    QVERIFY2(folder, qPrintable(error));
    QCOMPARE(*folder, cache.path() + "/quillet/");
    QCOMPARE(Mode(*folder), 0700u);
}

void TestPlatformPosix::encodesUtf8AndRefusesBrokenText()
{
    const std::unique_ptr<Platform> platform = CreatePlatform();
    QCOMPARE(platform->separator(), QChar('/'));
    const QString name = QString::fromUtf8("\xc3\xa9t\xc3\xa9 \xf0\x9f\x93\xb7.jpg");
    QCOMPARE(platform->encodeScriptText(name), std::optional<QByteArray>(name.toUtf8()));
    QVERIFY(!platform->encodeScriptText(QString("a") + QChar(0xD800) + "b"));
}

void TestPlatformPosix::desktopExec_data()
{
    QTest::addColumn<QString>("exec");
    QTest::addColumn<QStringList>("command");

    const QString f = "/tmp/my dir/rename.bat";
    QTest::newRow("file code") << "gedit %U" << QStringList{"gedit", f};
    QTest::newRow("other codes dropped") << "kate -b %i %c %k %F" << QStringList{"kate", "-b", f};
    QTest::newRow("no file code: file appended") << "mousepad" << QStringList{"mousepad", f};
    QTest::newRow("quoted program with escapes")
        << R"("/opt/My Editor/edit" "--title=\"x\\y\"" %f)"
        << QStringList{"/opt/My Editor/edit", "--title=\"x\\y\"", f};
    QTest::newRow("percent escaped") << "ed --p=100%% %f" << QStringList{"ed", "--p=100%", f};
    QTest::newRow("string escape for blank splits") << R"(ed\sit %f)" << QStringList{"ed", "it", f};
    QTest::newRow("unclosed quote") << R"("ed %f)" << QStringList{};
    QTest::newRow("only codes") << "%i" << QStringList{};
}

void TestPlatformPosix::desktopExec()
{
    QFETCH(QString, exec);
    QFETCH(QStringList, command);
    QCOMPARE(posix::ExpandDesktopExec(exec, "/tmp/my dir/rename.bat"), command);
}

void TestPlatformPosix::namesThatAreNotUtf8KeepTheirBytes()
{
    // A folder and a file whose names hold the Latin-1 byte 0xE9, beside the folder that a
    // lossy decoding would take it for: the start folder, the listing and the rename all keep
    // to the bytes.
    QTemporaryDir dir;
    const QByteArray base = QFile::encodeName(dir.path());
    const QByteArray folder = base + "/\xe9"
                                     "d";
    QVERIFY(mkdir(folder.constData(), 0700) == 0 && mkdir((base + "/\xef\xbf\xbd"
                                                                  "d")
                                                              .constData(),
                                                          0700) == 0);
    const int fd = open((folder + "/caf\xe9.txt").constData(), O_CREAT | O_WRONLY, 0600);
    QVERIFY(fd >= 0);
    close(fd);

    const QString cwd = QDir::currentPath();
    QVERIFY(chdir(folder.constData()) == 0);
    const QString start = CurrentFolderPath();
    QVERIFY(QDir::setCurrent(cwd));
    QCOMPARE(EncodeFileName(start), folder);
    QCOMPARE(DisplayFileName(start), dir.path() + "/\\xE9d");

    const FolderContents contents = ReadFolder(start);
    QVERIFY2(contents.error.isEmpty(), qPrintable(contents.error));
    QCOMPARE(contents.files.size(), 1);
    const QString name = contents.files.first();
    QCOMPARE(EncodeFileName(name), QByteArray("caf\xe9.txt"));

    const std::unique_ptr<Platform> platform = CreatePlatform();
    QVERIFY(platform->isFolder(start));
    const RenameResult renamed = platform->renameInFolder(start + '/', name, ToUpperText(name));
    QVERIFY2(renamed.ok, qPrintable(renamed.reason));
    QVERIFY(access((folder + "/CAF\xe9.TXT").constData(), F_OK) == 0);
    QVERIFY(platform->fileIdentity(start + '/', ToUpperText(name)));
    QCOMPARE(ReadFolder(start).files, QStringList{ToUpperText(name)});
}

QTEST_GUILESS_MAIN(TestPlatformPosix)
#include "tst_platform_posix.moc"
