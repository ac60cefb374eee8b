// SPDX-License-Identifier: GPL-3.0-or-later
#include "run/batch_script.h"
#include "run/platform/platform.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace quillet;

namespace
{

// A narrow code page as a stand-in for the console code page: Latin-1 only.
std::optional<QByteArray> Latin1(const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() > 0xFF)
            return std::nullopt;
    }
    return text.toLatin1();
}

// The POSIX platform's encoding.
std::optional<QByteArray> Utf8(const QString& text)
{
    return text.toUtf8();
}

QByteArray Lines(const QList<QByteArray>& lines)
{
    QByteArray out;
    for (const QByteArray& line : lines)
        out += line + "\r\n";
    return out;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestBatchScript : public QObject
{
    Q_OBJECT

private slots:
    void compose_data();
    void compose();
    void refuse_data();
    void refuse();
    void writeReplacesEarlierContent();
    void writeFailureKeepsOldScript();
    void refusedNameWritesNothing();
};

void TestBatchScript::compose_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("current");
    QTest::addColumn<QStringList>("proposed");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QByteArray>("expected");

    const QChar bs = QLatin1Char('\\');
    QTest::newRow("worked example") << "D:\\Photos" << QStringList{"IMG_0001.JPG", "IMG_0002.JPG"}
                                    << QStringList{"Holiday 001.jpg", "Holiday 002.jpg"} << bs
                                    << Lines({"cd /d \"D:\\Photos\\\"", "if errorlevel 1 exit /b 1",
                                              "D:", "rename \"IMG_0001.JPG\" \"Holiday 001.jpg\"",
                                              "rename \"IMG_0002.JPG\" \"Holiday 002.jpg\""});
    QTest::newRow("no pairs: the two first lines")
        << "D:\\Photos" << QStringList{} << QStringList{} << bs
        << Lines({"cd /d \"D:\\Photos\\\"", "if errorlevel 1 exit /b 1", "D:"});
    QTest::newRow("drive root keeps one separator")
        << "C:\\" << QStringList{"a.txt"} << QStringList{"b.txt"} << bs
        << Lines(
               {"cd /d \"C:\\\"", "if errorlevel 1 exit /b 1", "C:", "rename \"a.txt\" \"b.txt\""});
    QTest::newRow("blanks in folder stay inside the quotes")
        << "E:\\My Photos" << QStringList{"a b.txt"} << QStringList{"a  b.txt"} << bs
        << Lines({"cd /d \"E:\\My Photos\\\"", "if errorlevel 1 exit /b 1",
                  "E:", "rename \"a b.txt\" \"a  b.txt\""});
    QTest::newRow("equal names keep their line")
        << "D:\\x" << QStringList{"same.txt"} << QStringList{"same.txt"} << bs
        << Lines({"cd /d \"D:\\x\\\"", "if errorlevel 1 exit /b 1",
                  "D:", "rename \"same.txt\" \"same.txt\""});
    QTest::newRow("percent doubled in names and folder")
        << "D:\\100%" << QStringList{"100%.txt"} << QStringList{"%PATH%.txt"} << bs
        << Lines({"cd /d \"D:\\100%%\\\"", "if errorlevel 1 exit /b 1",
                  "D:", "rename \"100%%.txt\" \"%%PATH%%.txt\""});
    QTest::newRow("ampersand in folder")
        << "D:\\Tom & Jerry" << QStringList{"a"} << QStringList{"b"} << bs
        << Lines({"cd /d \"D:\\Tom & Jerry\\\"", "if errorlevel 1 exit /b 1",
                  "D:", "rename \"a\" \"b\""});
    QTest::newRow("parentheses in folder")
        << "C:\\Program Files (x86)" << QStringList{} << QStringList{} << bs
        << Lines({"cd /d \"C:\\Program Files (x86)\\\"", "if errorlevel 1 exit /b 1", "C:"});
    QTest::newRow("operators in names need no escape inside quotes")
        << "D:\\x" << QStringList{"a&b^c.txt"} << QStringList{"(1) & ^2=3;4.txt"} << bs
        << Lines({"cd /d \"D:\\x\\\"", "if errorlevel 1 exit /b 1",
                  "D:", "rename \"a&b^c.txt\" \"(1) & ^2=3;4.txt\""});
    QTest::newRow("narrow code page bytes")
        << QString::fromUtf8("D:\\Caf\xc3\xa9")
        << QStringList{QString::fromUtf8("\xc3\xa9t\xc3\xa9")} << QStringList{"ete"} << bs
        << Lines({"cd /d \"D:\\Caf\xe9\\\"", "if errorlevel 1 exit /b 1",
                  "D:", "rename \"\xe9t\xe9\" \"ete\""});
    QTest::newRow("POSIX root") << "/" << QStringList{} << QStringList{} << QChar('/')
                                << Lines({"cd /d \"/\"", "if errorlevel 1 exit /b 1", "/"});
    QTest::newRow("POSIX folder: the drive line is the root")
        << "/home/ann/Photos" << QStringList{"a.jpg"} << QStringList{"b.jpg"} << QChar('/')
        << Lines({"cd /d \"/home/ann/Photos/\"", "if errorlevel 1 exit /b 1", "/",
                  "rename \"a.jpg\" \"b.jpg\""});
    QTest::newRow("POSIX folder of a character outside the BMP: no character cut")
        << QString::fromUtf8("/\xf0\x9f\x93\xb7 Fotos") << QStringList{"a.jpg"}
        << QStringList{"b.jpg"} << QChar('/')
        << Lines({"cd /d \"/\xf0\x9f\x93\xb7 Fotos/\"", "if errorlevel 1 exit /b 1", "/",
                  "rename \"a.jpg\" \"b.jpg\""});
}

void TestBatchScript::compose()
{
    QFETCH(QString, folder);
    QFETCH(QStringList, current);
    QFETCH(QStringList, proposed);
    QFETCH(QChar, separator);
    QFETCH(QByteArray, expected);

    const ComposedScript script = ComposeBatchScript({folder, current, proposed}, separator,
                                                     separator == u'/' ? Utf8 : Latin1);
    QVERIFY2(script.bytes, qPrintable(script.error));
    QCOMPARE(*script.bytes, expected);
}

void TestBatchScript::refuse_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("current");
    QTest::addColumn<QStringList>("proposed");
    QTest::addColumn<QString>("named"); // what the message must name

    QTest::newRow("quote in a new name") << "D:\\x" << QStringList{"ok.txt", "a.txt"}
                                         << QStringList{"ok2.txt", "say \"hi\".txt"} << "a.txt";
    QTest::newRow("quote in a current name")
        << "D:\\x" << QStringList{"say \"hi\".txt"} << QStringList{"b.txt"} << "say \"hi\".txt";
    QTest::newRow("line feed in a new name")
        << "D:\\x" << QStringList{"a.txt"} << QStringList{"b\n.txt"} << "a.txt";
    QTest::newRow("carriage return in a current name")
        << "D:\\x" << QStringList{"b\r.txt"} << QStringList{"c.txt"}
        << QString::fromUtf8("b\xe2\x90\x8d.txt");
    QTest::newRow("character outside the code page")
        << "D:\\x" << QStringList{"a.txt"} << QStringList{QString::fromUtf8("\xe6\x97\xa5.txt")}
        << "a.txt";
    QTest::newRow("folder outside the code page")
        << QString::fromUtf8("D:\\\xe6\x97\xa5") << QStringList{"a.txt"} << QStringList{"b.txt"}
        << QString::fromUtf8("D:\\\xe6\x97\xa5");
    QTest::newRow("quote in the folder")
        << "/tmp/a\"b" << QStringList{"a.txt"} << QStringList{"b.txt"} << "/tmp/a\"b";
    QTest::newRow("reserved device name")
        << "D:\\x" << QStringList{"a.txt", "b.txt"} << QStringList{"c.txt", "Nul.txt"} << "Nul.txt";
    QTest::newRow("trailing dot or space")
        << "D:\\x" << QStringList{"a.txt", "b.txt"} << QStringList{"c ", "d."} << "a.txt";
    // Every new name the Windows rules refuse (the rules the rows are marked by), and a
    // current name that cmd would take for a wildcard.
    QTest::newRow("star: cmd's wildcard")
        << "D:\\x" << QStringList{"a.txt", "b.txt"} << QStringList{"a2.txt", "*.bak"} << "b.txt";
    QTest::newRow("question mark: cmd's wildcard")
        << "D:\\x" << QStringList{"a.txt"} << QStringList{"a?.txt"} << "a.txt";
    QTest::newRow("redirection characters") << "D:\\x" << QStringList{"a.txt", "b.txt", "c.txt"}
                                            << QStringList{"a<.txt", "b>.txt", "c|.txt"} << "a.txt";
    QTest::newRow("colon") << "D:\\x" << QStringList{"a.txt"} << QStringList{"a:b.txt"} << "a.txt";
    QTest::newRow("control character")
        << "D:\\x" << QStringList{"a.txt"} << QStringList{"a\tb.txt"} << "a.txt";
    QTest::newRow("separator") << "D:\\x" << QStringList{"a.txt"} << QStringList{"..\\a.txt"}
                               << "a.txt";
    QTest::newRow("empty new name")
        << "D:\\x" << QStringList{"a.txt"} << QStringList{""} << "a.txt";
    QTest::newRow("device name in any case")
        << "D:\\x" << QStringList{"a.txt"} << QStringList{"cOm1 .log"} << "a.txt";
    QTest::newRow("wildcard in a current name")
        << "D:\\x" << QStringList{"*.txt"} << QStringList{"b.txt"} << "*.txt";
    QTest::newRow("bytes that are not UTF-8 in a current name")
        << "/data" << QStringList{"a.txt", QString("caf") + QChar(0xdce9)} << QStringList{"b", "c"}
        << "caf\\xE9";
    QTest::newRow("lists of different length")
        << "D:\\x" << QStringList{"a.txt"} << QStringList{"b.txt", "c.txt"} << "shorter";
}

void TestBatchScript::refuse()
{
    QFETCH(QString, folder);
    QFETCH(QStringList, current);
    QFETCH(QStringList, proposed);
    QFETCH(QString, named);

    const ComposedScript script = ComposeBatchScript({folder, current, proposed}, '\\', Latin1);
    QVERIFY(!script.bytes);
    QVERIFY2(script.error.contains(named), qPrintable(script.error));
}

void TestBatchScript::writeReplacesEarlierContent()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    const QByteArray first = Lines({"cd /d \"/x/\"", "if errorlevel 1 exit /b 1", "/x",
                                    "rename \"a\" \"b\"", "rename \"c\" \"d\""});
    const QByteArray second = Lines({"cd /d \"/y/\"", "if errorlevel 1 exit /b 1", "/y"});
    QString error;
    QVERIFY(WriteScriptBytes(folder, first, &error));
    QVERIFY(WriteScriptBytes(folder, second, &error));
    QCOMPARE(ReadAll(folder + "rename.bat"), second);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"rename.bat"});
}

void TestBatchScript::writeFailureKeepsOldScript()
{
    QTemporaryDir dir;
    QString error;
    QVERIFY(!WriteScriptBytes(dir.path() + "/missing/", "x", &error));
    QVERIFY2(error.contains("rename.bat") && error.contains("missing"), qPrintable(error));

    // A folder named rename.bat stands in for a script that cannot be replaced.
    QVERIFY(QDir(dir.path()).mkdir("rename.bat"));
    error.clear();
    QVERIFY(!WriteScriptBytes(dir.path() + '/', "x", &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(dir.path() + "/rename.bat").isDir());
}

void TestBatchScript::refusedNameWritesNothing()
{
    // Through the platform of this machine: a refused name leaves the earlier script whole.
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    const std::unique_ptr<Platform> platform = CreatePlatform();
    QString error;
    const std::optional<QString> path =
        WriteBatchFile(folder, {"/data", {"a.txt"}, {"b.txt"}}, *platform, &error);
    QVERIFY2(path, qPrintable(error));
    QCOMPARE(*path, folder + "rename.bat");
    const QByteArray before = ReadAll(*path);

    QVERIFY(!WriteBatchFile(folder, {"/data", {"a.txt"}, {"b\nc.txt"}}, *platform, &error));
    QVERIFY(error.contains("a.txt"));
    QCOMPARE(ReadAll(*path), before);
}

QTEST_GUILESS_MAIN(TestBatchScript)
#include "tst_batch_script.moc"
