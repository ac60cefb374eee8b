// SPDX-License-Identifier: GPL-3.0-or-later
// The Shell method of the Windows program, run under Wine through the window with the real
// platform: cmd runs the script with no window, the window reads from its output which pairs
// failed and why, and undoes exactly the renames that happened. Only the message boxes are
// replaced (answered at once).

#include "folder_files.h"
#include "form_harness.h"
#include "swapping_platform.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace quillet;
using namespace quillet::test;

namespace
{

// a.txt, b.txt, c.txt (each holding its name) in a Form1 whose template renames them to
// n1.txt, n2.txt, n3.txt by the Shell method; boxes are answered "Yes".
struct ShellForm {
    explicit ShellForm(Platform* own = nullptr)
    {
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            WriteFile(dir.filePath(QString::fromLatin1(name)), name);
        if (!own)
            platform = CreatePlatform();
        form = std::make_unique<Form1>(
            Form1::Services{&messages, &drives, own ? own : platform.get()}, dir.path());
        messages.reply = [](const MessageRequest&) { return MessageReply{true, true}; };
        form->Ui().Check1->click(); // "&Ok" waits for the template typed after it
        form->Ui().Text4->setText(QStringLiteral("n#"));
        form->Ui().Option1->click();
    }
    QTemporaryDir dir;
    MessageRecorder messages;
    FakeDrives drives;
    std::unique_ptr<Platform> platform;
    std::unique_ptr<Form1> form;
};

} // namespace

class WineShellOutcomeTest : public QObject
{
    Q_OBJECT

private slots:
    void shellRunThenUndo_data();
    void shellRunThenUndo();
    void swappedScriptIsNotRun();
};

void WineShellOutcomeTest::shellRunThenUndo_data()
{
    QTest::addColumn<QStringList>("taken");      // new files in the way of the run
    QTest::addColumn<int>("runs");               // clicks of "&Ok"
    QTest::addColumn<QStringList>("notRenamed"); // "old>new" of the last run's failed pairs
    QTest::addColumn<QStringList>("renamed");    // the folder after the run

    const QStringList allRenamed{"n1.txt=a.txt", "n2.txt=b.txt", "n3.txt=c.txt"};
    QTest::newRow("every target free") << QStringList{} << 1 << QStringList{} << allRenamed;
    // The lists still show the old names: every file is missing, which Wine's cmd passes
    // over in silence.
    QTest::newRow("second run over stale names")
        << QStringList{} << 2 << QStringList{"a.txt>n1.txt", "b.txt>n2.txt", "c.txt>n3.txt"}
        << allRenamed;
    QTest::newRow("two targets taken")
        << QStringList{"n1.txt", "n3.txt"} << 1 << QStringList{"a.txt>n1.txt", "c.txt>n3.txt"}
        << QStringList{"a.txt=a.txt", "c.txt=c.txt", "n1.txt=taken", "n2.txt=b.txt",
                       "n3.txt=taken"};
}

void WineShellOutcomeTest::shellRunThenUndo()
{
    QFETCH(QStringList, taken);
    QFETCH(int, runs);
    QFETCH(QStringList, notRenamed);
    QFETCH(QStringList, renamed);

    ShellForm s;
    for (const QString& name : taken) // after the listing: unknown to the window
        QVERIFY(WriteFile(s.dir.filePath(name), "taken"));
    const QStringList first = Contents(s.dir.path());

    for (int i = 0; i < runs; ++i) {
        s.messages.shown.clear();
        s.form->Ui().Command1->click();
        // "Rename Finished!" once the script is written and cmd started (Wine starts slowly).
        QTRY_COMPARE_WITH_TIMEOUT(s.messages.shown.size(), 1, 60000);
        QCOMPARE(s.messages.shown.first().text, QString("Rename Finished!"));
        QTRY_VERIFY_WITH_TIMEOUT(!s.form->ScriptRunning(), 60000);
    }
    QCOMPARE(Contents(s.dir.path()), renamed);

    // One summary with the counts, every failed pair in its details with cmd's reason.
    if (notRenamed.isEmpty()) {
        QVERIFY2(s.messages.shown.size() == 1, qPrintable(s.messages.shown.last().detailedText));
    } else {
        QCOMPARE(s.messages.shown.size(), 2);
        const ShownMessage& report = s.messages.shown.last();
        QCOMPARE(report.icon, MessageIcon::Warning);
        QVERIFY2(report.text.startsWith(
                     QString("%1 of 3 files were not renamed.").arg(notRenamed.size())),
                 qPrintable(report.text));
        const QStringList lines = report.detailedText.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), notRenamed.size());
        for (int i = 0; i < lines.size(); ++i) {
            const QStringList names = notRenamed[i].split(u'>');
            const QString pair = QString("\"%1\" -> \"%2\": ").arg(names[0], names[1]);
            QVERIFY2(lines[i].startsWith(pair) && lines[i].size() > pair.size(),
                     qPrintable(lines[i]));
        }
    }

    // The renames that happened, and only those, are taken back; a run that renamed nothing
    // leaves the one before it to undo.
    const int done = runs == 2 ? 3 : 3 - int(notRenamed.size());
    const QString files = done == 1 ? QString("1 file") : QString("%1 files").arg(done);
    QCOMPARE(s.form->UndoAction()->text(), "Undo Last Rename (" + files + ')');
    QVERIFY(s.form->UndoAction()->isEnabled());
    QVERIFY(!s.form->UndoAction()->toolTip().contains("cannot be undone"));
    s.messages.shown.clear();
    s.form->UndoAction()->trigger();
    QCOMPARE(s.messages.shown.size(), 2); // the question, then the closing box
    QVERIFY(s.messages.shown[0].text.contains(files));
    QVERIFY2(s.messages.shown[1].detailedText.isEmpty(),
             qPrintable(s.messages.shown[1].detailedText));
    QCOMPARE(Contents(s.dir.path()), first);
    QVERIFY(!s.form->UndoAction()->isEnabled());
}

void WineShellOutcomeTest::swappedScriptIsNotRun()
{
    SwappingPlatform platform;
    ShellForm s(&platform);
    platform.decoyScript = "cd /d \"" + QDir::toNativeSeparators(s.dir.path()).toLocal8Bit() +
                           "\"\r\nrename \"b.txt\" \"stolen.txt\"\r\n";
    const QStringList first = Contents(s.dir.path());
    s.form->Ui().Command1->click();
    QTRY_VERIFY_WITH_TIMEOUT(!s.form->ScriptRunning(), 60000);
    QCOMPARE(s.messages.shown.size(), 1);
    QCOMPARE(s.messages.shown.first().icon, MessageIcon::Critical);
    QVERIFY2(s.messages.shown.first().text.contains("changed by another program"),
             qPrintable(s.messages.shown.first().text));
    QCOMPARE(Contents(s.dir.path()), first);
}

QTEST_MAIN(WineShellOutcomeTest)
#include "wine_shell_outcome_test.moc"
