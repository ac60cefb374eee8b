// SPDX-License-Identifier: GPL-3.0-or-later
// Runs scripts made by the program's own script composer with Wine's cmd, a command
// interpreter written by others, and checks that exactly the listed files were renamed.
//
// The folder being renamed sits on drive q:, which the test maps to a temporary folder through
// the Wine prefix's dosdevices. Two decoy folders hold the same file names: q:\decoy is q:'s
// current folder and p:\decoy the interpreter's current folder when the script starts, so a
// script whose cd line or drive line misfires renames a decoy, and the test sees it.

#include "run/batch_script.h"
#include "wine_support.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace quillet;

namespace
{

using test::EncodeOem437;
using test::ReadTree;
using test::Tree;
using Pairs = QList<QPair<QString, QString>>;

void WriteFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

QString Describe(const Tree& tree)
{
    QStringList lines;
    for (auto it = tree.cbegin(); it != tree.cend(); ++it)
        lines << it.key() + QStringLiteral(" = ") + QString::fromUtf8(it.value());
    return lines.join(QLatin1Char('\n'));
}

// A drive letter of the prefix pointing at a folder of this machine.
bool MapDrive(const QString& prefix, const QString& letter, const QString& target)
{
    const QString link = prefix + QStringLiteral("/dosdevices/") + letter;
    QFile::remove(link);
    return QFile::link(target, link);
}

} // namespace

class WineCmdTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void runsComposedScript_data();
    void runsComposedScript();

private:
    QString m_wine;
    QString m_prefix;
};

void WineCmdTest::initTestCase()
{
    const QString skip = test::FindWine(&m_wine, &m_prefix);
    if (!skip.isEmpty())
        QSKIP(qPrintable(skip));
}

void WineCmdTest::cleanupTestCase()
{
    if (!m_prefix.isEmpty()) {
        QFile::remove(m_prefix + QStringLiteral("/dosdevices/q:"));
        QFile::remove(m_prefix + QStringLiteral("/dosdevices/p:"));
    }
}

void WineCmdTest::runsComposedScript_data()
{
    QTest::addColumn<QString>("folder"); // below the root of q:, with '\\'; empty for the root
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<Pairs>("pairs");
    QTest::addColumn<QStringList>("renamed"); // the current names whose rename must succeed
    QTest::addColumn<bool>("mayStay");        // the folder may also stay as it was
    QTest::addColumn<bool>("missing");        // the folder does not exist: nothing may change

    QTest::newRow("plain") << QStringLiteral("Photos")
                           << QStringList{"IMG_0001.JPG", "IMG_0002.JPG", "keep.txt"}
                           << Pairs{{"IMG_0001.JPG", "Holiday 001.jpg"},
                                    {"IMG_0002.JPG", "Holiday 002.jpg"}}
                           << QStringList{"IMG_0001.JPG", "IMG_0002.JPG"} << false << false;
    QTest::newRow("percent signs")
        << QStringLiteral("Percent")
        << QStringList{"100% sure.txt", "a%PATH%b.txt", "%1 %~dp0.txt", "%%.txt", "keep.txt"}
        << Pairs{{"100% sure.txt", "sure 100%.txt"},
                 {"a%PATH%b.txt", "b%PATH%a.txt"},
                 {"%1 %~dp0.txt", "%0%~.txt"},
                 {"%%.txt", "%%%.txt"}}
        << QStringList{"100% sure.txt", "a%PATH%b.txt", "%1 %~dp0.txt", "%%.txt"} << false << false;
    QTest::newRow("blanks") << QStringLiteral("My Photos\\Summer  2023")
                            << QStringList{"two  blanks.txt", " lead.txt", "keep.txt"}
                            << Pairs{{"two  blanks.txt", "one blank.txt"},
                                     {" lead.txt", "no lead.txt"}}
                            << QStringList{"two  blanks.txt", " lead.txt"} << false << false;
    QTest::newRow("ampersand in folder")
        << QStringLiteral("Tom & Jerry")
        << QStringList{"a&b.txt", "(1) ^caret.txt", "wow!.txt", "keep.txt"}
        << Pairs{{"a&b.txt", "c & d.txt"},
                 {"(1) ^caret.txt", "caret (2).txt"},
                 {"wow!.txt", "a=b;c,d!.txt"}}
        << QStringList{"a&b.txt", "(1) ^caret.txt", "wow!.txt"} << false << false;
    QTest::newRow("operators in folder")
        << QStringLiteral("x (1) ^ y=z;w,v") << QStringList{"a.txt", "keep.txt"}
        << Pairs{{"a.txt", "b.txt"}} << QStringList{"a.txt"} << false << false;
    QTest::newRow("drive root") << QString() << QStringList{"a.txt", "keep.txt"}
                                << Pairs{{"a.txt", "b.txt"}} << QStringList{"a.txt"} << false
                                << false;
    QTest::newRow("accented names")
        << QStringLiteral("R\u00e9sum\u00e9s") << QStringList{"r\u00e9sum\u00e9.txt", "keep.txt"}
        << Pairs{{"r\u00e9sum\u00e9.txt", "R\u00c9SUM\u00c9 \u00f1.txt"}}
        << QStringList{"r\u00e9sum\u00e9.txt"} << false << false;
    // The interpreter's rename refuses a taken name and a missing file, and the script goes on.
    QTest::newRow("taken name and missing file")
        << QStringLiteral("Clash") << QStringList{"a.txt", "b.txt", "c.txt", "keep.txt"}
        << Pairs{{"a.txt", "b.txt"}, {"gone.txt", "d.txt"}, {"c.txt", "e.txt"}}
        << QStringList{"c.txt"} << false << false;
    // Windows changes the case; Wine's rename leaves a change of case alone, without a word.
    QTest::newRow("change of case")
        << QStringLiteral("Case") << QStringList{"a.txt", "keep.txt"} << Pairs{{"a.txt", "A.TXT"}}
        << QStringList{"a.txt"} << true << false;
    QTest::newRow("no pairs") << QStringLiteral("Empty") << QStringList{"keep.txt"} << Pairs{}
                              << QStringList{} << false << false;
    // The cd fails: the script must end there, not rename the decoys of q: or p:.
    QTest::newRow("missing folder")
        << QStringLiteral("Gone") << QStringList{"a.txt", "b.txt"}
        << Pairs{{"a.txt", "c.txt"}, {"b.txt", "a.txt"}} << QStringList{} << false << true;
}

void WineCmdTest::runsComposedScript()
{
    QFETCH(QString, folder);
    QFETCH(QStringList, files);
    QFETCH(Pairs, pairs);
    QFETCH(QStringList, renamed);
    QFETCH(bool, mayStay);
    QFETCH(bool, missing);

    QTemporaryDir drive; // q:
    QTemporaryDir other; // p:
    QTemporaryDir scripts;
    QVERIFY(drive.isValid() && other.isValid() && scripts.isValid());
    QVERIFY(MapDrive(m_prefix, QStringLiteral("q:"), drive.path()));
    QVERIFY(MapDrive(m_prefix, QStringLiteral("p:"), other.path()));

    const QString local = folder.isEmpty()
                              ? drive.path()
                              : drive.path() + QLatin1Char('/') +
                                    QString(folder).replace(QLatin1Char('\\'), QLatin1Char('/'));
    for (const QString& name : files) {
        if (!missing)
            WriteFile(local + QLatin1Char('/') + name, name.toUtf8());
        WriteFile(drive.path() + QStringLiteral("/decoy/") + name, "decoy " + name.toUtf8());
        WriteFile(other.path() + QStringLiteral("/decoy/") + name, "decoy " + name.toUtf8());
    }
    const Tree before = ReadTree(drive.path());
    const Tree otherBefore = ReadTree(other.path());

    // What must come out: the listed renames and nothing else.
    Tree expected = before;
    const QString relative =
        folder.isEmpty()
            ? QString()
            : QString(folder).replace(QLatin1Char('\\'), QLatin1Char('/')) + QLatin1Char('/');
    for (const auto& [from, to] : pairs) {
        if (renamed.contains(from))
            expected.insert(relative + to, expected.take(relative + from));
    }

    RenameJob job;
    job.folderPath = QStringLiteral("Q:\\") + folder;
    for (const auto& [from, to] : pairs) {
        job.currentNames << from;
        job.proposedNames << to;
    }
    const ComposedScript script = ComposeBatchScript(job, QLatin1Char('\\'), EncodeOem437);
    QVERIFY2(script.bytes, qPrintable(script.error));
    QString error;
    QVERIFY2(WriteScriptBytes(scripts.path() + QLatin1Char('/'), *script.bytes, &error),
             qPrintable(error));

    // The starter puts q: in its decoy and the interpreter on p:, then runs the script.
    const QString scriptPath =
        QStringLiteral("Z:") +
        QString(scripts.path()).replace(QLatin1Char('/'), QLatin1Char('\\')) + QStringLiteral("\\");
    WriteFile(scripts.path() + QStringLiteral("/start.bat"),
              "cd /d Q:\\decoy\r\ncd /d P:\\decoy\r\ncall " + scriptPath.toLatin1() +
                  "rename.bat\r\n");

    QProcess cmd;
    cmd.setProgram(m_wine);
    cmd.setArguments(
        {QStringLiteral("cmd"), QStringLiteral("/c"), scriptPath + QStringLiteral("start.bat")});
    cmd.setProcessChannelMode(QProcess::MergedChannels);
    cmd.start();
    QVERIFY2(cmd.waitForFinished(240000), "Wine's cmd did not finish in time");
    const QString output = QString::fromLocal8Bit(cmd.readAll()).remove(QLatin1Char('\r'));
    qInfo().noquote() << "cmd said:\n" << output;

    const Tree after = ReadTree(drive.path());
    QVERIFY2(after == expected || (mayStay && after == before),
             qPrintable(QStringLiteral("q: holds\n%1\nexpected\n%2\n%3")
                            .arg(Describe(after), Describe(expected), output)));
    QVERIFY2(ReadTree(other.path()) == otherBefore, "the decoy on p: was touched");
}

QTEST_GUILESS_MAIN(WineCmdTest)
#include "wine_cmd_test.moc"
