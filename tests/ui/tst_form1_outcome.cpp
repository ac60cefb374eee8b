// SPDX-License-Identifier: GPL-3.0-or-later
// The outcome of a run and its undo, through the window, on real folders with the real
// platform layer and interpreter; only the message boxes are replaced (answered at once).

#include "fat_image.h"
#include "folder_files.h"
#include "form_harness.h"
#include "run/rename_run.h"
#include "swapping_platform.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace quillet;
using namespace quillet::test;

namespace
{

// A Form1 on folder with the given platform (the system's unless given) and boxes answered
// "Yes", with their check box ticked.
struct RealForm {
    explicit RealForm(const QString& folder, Platform* own = nullptr)
        : platform(own ? nullptr : CreatePlatform()),
          form(Form1::Services{&messages, &drives, own ? own : platform.get()}, folder)
    {
        messages.reply = [](const MessageRequest&) { return MessageReply{true, true}; };
    }
    // Clicks "&Ok" and, for the Shell method, waits until the window has read the outcome.
    void Run()
    {
        form.Ui().Command1->click();
        QTRY_VERIFY_WITH_TIMEOUT(!form.ScriptRunning() && !form.Busy(), 20000);
    }
    QList<ShownMessage> ShownWithIcon(MessageIcon icon) const
    {
        QList<ShownMessage> found;
        for (const ShownMessage& m : messages.shown)
            if (m.icon == icon)
                found.append(m);
        return found;
    }
    MessageRecorder messages;
    FakeDrives drives;
    std::unique_ptr<Platform> platform;
    Form1 form;
};

const QStringList kFiles{"one.txt", "two.txt", "three.txt"};

} // namespace

class TestForm1Outcome : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void runThenUndo_data();
    void runThenUndo();
    void unchangedNamesKeepTheRecord_data();
    void unchangedNamesKeepTheRecord();
    void secondOkWhileTheInterpreterRuns();
    void interpreterRunsTheScriptWritten();
    void undoCaseOnlyOnFat();

private:
    QTemporaryDir m_cache; // the private script folder of this test run
};

void TestForm1Outcome::init()
{
    qputenv("XDG_CACHE_HOME", m_cache.path().toUtf8());
}

void TestForm1Outcome::runThenUndo_data()
{
    QTest::addColumn<bool>("shell");
    QTest::addColumn<QStringList>("taken");        // new files in the way of the run
    QTest::addColumn<int>("runs");                 // clicks of "&Ok"
    QTest::addColumn<QStringList>("notRenamed");   // failed pairs of the last run
    QTest::addColumn<QStringList>("interference"); // "from>to" renames by someone else
    QTest::addColumn<QString>("undone");           // files the undo entry names
    QTest::addColumn<QStringList>("skipped");      // named in the undo's details
    QTest::addColumn<QStringList>("afterUndo");    // the folder at the end; empty: its first state

    QTest::newRow("shell, a target taken")
        << true << QStringList{"TWO.txt"} << 1 << QStringList{"two.txt"} << QStringList{}
        << "2 files" << QStringList{} << QStringList{};
    QTest::newRow("shell, second run over stale names")
        << true << QStringList{} << 2 << QStringList{"one.txt", "three.txt", "two.txt"}
        << QStringList{} << "3 files" << QStringList{} << QStringList{};
    QTest::newRow("api, errors silenced at the first")
        << false << QStringList{"ONE.txt", "THREE.txt"} << 1 << QStringList{"one.txt", "three.txt"}
        << QStringList{} << "1 file" << QStringList{} << QStringList{};
    QTest::newRow("api, a file renamed by someone else before the undo")
        << false << QStringList{} << 1 << QStringList{} << QStringList{"TWO.txt>moved.txt"}
        << "3 files" << QStringList{"TWO.txt"}
        << QStringList{"moved.txt=two.txt", "one.txt=one.txt", "three.txt=three.txt"};
    QTest::newRow("api, another file under a renamed file's name before the undo")
        << false << QStringList{} << 1 << QStringList{}
        << QStringList{"TWO.txt>moved.txt", "intruder>TWO.txt"} << "3 files"
        << QStringList{"TWO.txt"}
        << QStringList{"TWO.txt=intruder", "moved.txt=two.txt", "one.txt=one.txt",
                       "three.txt=three.txt"};
    QTest::newRow("api, two files moved away before the undo")
        << false << QStringList{} << 1 << QStringList{}
        << QStringList{"ONE.txt>moved1.txt", "THREE.txt>moved3.txt"} << "3 files"
        << QStringList{"ONE.txt", "THREE.txt"}
        << QStringList{"moved1.txt=one.txt", "moved3.txt=three.txt", "two.txt=two.txt"};
    QTest::newRow("shell, an old name taken before the undo")
        << true << QStringList{} << 1 << QStringList{} << QStringList{"new>one.txt"} << "3 files"
        << QStringList{"ONE.txt"}
        << QStringList{"ONE.txt=one.txt", "one.txt=new", "three.txt=three.txt", "two.txt=two.txt"};
}

void TestForm1Outcome::runThenUndo()
{
    QFETCH(bool, shell);
    QFETCH(QStringList, taken);
    QFETCH(int, runs);
    QFETCH(QStringList, notRenamed);
    QFETCH(QStringList, interference);
    QFETCH(QString, undone);
    QFETCH(QStringList, skipped);
    QFETCH(QStringList, afterUndo);

    QTemporaryDir dir;
    for (const QString& name : kFiles)
        QVERIFY(WriteFile(dir.filePath(name), name.toUtf8()));
    RealForm r(dir.path());
    ChooseCase(r.form, 4); // filename to UPPERCASE
    (shell ? r.form.Ui().Option1 : r.form.Ui().Option2)->click();
    QCOMPARE(r.form.UndoAction()->isEnabled(), false);
    for (const QString& name : taken) // after the listing: unknown to the window
        QVERIFY(WriteFile(dir.filePath(name), "taken"));
    const QStringList first = Contents(dir.path());

    for (int i = 0; i < runs; ++i) {
        r.messages.shown.clear();
        r.Run();
    }

    // The last run's report: for the Shell method "Rename Finished!" then one summary; for the
    // API method one failure box (its check box ticked), then the closing box with every
    // failed pair in its details.
    const QList<ShownMessage> warnings = r.ShownWithIcon(MessageIcon::Warning);
    const ShownMessage* report = nullptr;
    if (shell) {
        QCOMPARE(r.messages.shown.first().text, QString("Rename Finished!"));
        QCOMPARE(warnings.size(), notRenamed.isEmpty() ? 0 : 1);
        if (!notRenamed.isEmpty()) {
            report = &warnings.first();
            QVERIFY2(report->text.startsWith(
                         QString("%1 of 3 files were not renamed.").arg(notRenamed.size())),
                     qPrintable(report->text));
        }
    } else {
        // With failures the closing box counts them, even with the boxes of single pairs
        // silenced.
        QCOMPARE(warnings.size(), notRenamed.isEmpty() ? 0 : 2);
        if (!notRenamed.isEmpty())
            QCOMPARE(warnings.first().checkBoxText,
                     QString("Do not show further errors of this run"));
        report = &r.messages.shown.last();
        QCOMPARE(report->text,
                 notRenamed.isEmpty()
                     ? QString("Finished Renaming Files")
                     : QString("Finished Renaming Files\n%1 of 3 files were not renamed.")
                           .arg(notRenamed.size()));
        QCOMPARE(report->icon,
                 notRenamed.isEmpty() ? MessageIcon::Information : MessageIcon::Warning);
    }
    if (report) {
        const QStringList lines = report->detailedText.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), notRenamed.size());
        for (int i = 0; i < notRenamed.size(); ++i)
            QVERIFY2(lines[i].startsWith(u'"' + notRenamed[i] + u'"'), qPrintable(lines[i]));
    }

    for (const QString& change : interference) {
        const QStringList names = change.split(u'>');
        if (QFile::exists(dir.filePath(names[0])))
            QVERIFY(QFile::rename(dir.filePath(names[0]), dir.filePath(names[1])));
        else
            QVERIFY(WriteFile(dir.filePath(names[1]), names[0].toUtf8()));
    }

    // What the undo skipped stays to undo, in the run's order: a second undo skips it again.
    for (int undo = 0; undo < (skipped.isEmpty() ? 1 : 2); ++undo) {
        const QString files = undo == 0             ? undone
                              : skipped.size() == 1 ? QString("1 file")
                                                    : QString("%1 files").arg(skipped.size());
        QCOMPARE(r.form.UndoAction()->text(), "Undo Last Rename (" + files + ')');
        QVERIFY(r.form.UndoAction()->isEnabled());
        r.messages.shown.clear();
        r.form.show();
        r.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&r.form));
        QTest::keyClick(r.form.Ui().lstNewFileName, Qt::Key_Z, Qt::ControlModifier);

        QCOMPARE(r.messages.shown.size(), 2); // the question, then the closing box
        QVERIFY(r.messages.shown[0].question);
        QVERIFY(r.messages.shown[0].text.contains(files));
        const ShownMessage& closing = r.messages.shown[1];
        const QStringList lines = closing.detailedText.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), skipped.size());
        for (int i = 0; i < skipped.size(); ++i)
            QVERIFY2(lines[i].startsWith(u'"' + skipped[i] + u'"'), qPrintable(lines[i]));
        QCOMPARE(Contents(dir.path()), afterUndo.isEmpty() ? first : afterUndo);
    }
    // What was skipped stays to undo; otherwise nothing is left.
    QCOMPARE(r.form.UndoAction()->isEnabled(), !skipped.isEmpty());
}

void TestForm1Outcome::unchangedNamesKeepTheRecord_data()
{
    QTest::addColumn<bool>("shell");
    QTest::newRow("api") << false;
    QTest::newRow("shell") << true;
}

void TestForm1Outcome::unchangedNamesKeepTheRecord()
{
    // A run whose names are all left as they are renames nothing: the undo still takes back
    // the run before it, and counts only the files it really gave their names back.
    QFETCH(bool, shell);
    QTemporaryDir dir;
    for (const QString& name : kFiles)
        QVERIFY(WriteFile(dir.filePath(name), name.toUtf8()));
    const QStringList first = Contents(dir.path());
    RealForm r(dir.path());
    (shell ? r.form.Ui().Option1 : r.form.Ui().Option2)->click();
    ChooseCase(r.form, 4); // filename to UPPERCASE
    r.Run();
    r.form.OpenFolder(dir.path()); // the lists show the new names
    r.form.Ui().Check1->click();
    r.form.Ui().Text4->setText("*"); // every name as it is
    QCOMPARE(r.form.NewNameColumn().Names(), r.form.OldNameColumn().Names());
    r.Run();
    QCOMPARE(r.form.UndoAction()->text(), QString("Undo Last Rename (3 files)"));
    r.messages.shown.clear();
    r.form.UndoAction()->trigger();
    QTRY_VERIFY(!r.form.Busy());
    QCOMPARE(r.messages.shown.last().text, QString("3 files got their old names back."));
    QCOMPARE(Contents(dir.path()), first);
}

void TestForm1Outcome::secondOkWhileTheInterpreterRuns()
{
    QTemporaryDir dir;
    for (const QString& name : kFiles)
        QVERIFY(WriteFile(dir.filePath(name), name.toUtf8()));
    RealForm r(dir.path());
    ChooseCase(r.form, 4);
    // No event is processed between the clicks: the first script is still being written.
    r.form.Ui().Command1->click();
    r.form.Ui().Command1->click();
    QVERIFY(!r.form.UndoAction()->isEnabled());
    QCOMPARE(r.messages.shown.size(), 1);
    QVERIFY2(r.messages.shown[0].text.contains("still going on"),
             qPrintable(r.messages.shown[0].text));
    QTRY_VERIFY_WITH_TIMEOUT(!r.form.ScriptRunning(), 20000);
    QCOMPARE(r.messages.shown.size(), 2); // one run ("Rename Finished!"), no failure
    QCOMPARE(Contents(dir.path()),
             (QStringList{"ONE.txt=one.txt", "THREE.txt=three.txt", "TWO.txt=two.txt"}));
    // The interpreter's log stays for the user until the next run starts.
    QVERIFY(QFile::exists(m_cache.filePath("quillet/rename.log")));
}

void TestForm1Outcome::interpreterRunsTheScriptWritten()
{
    QTemporaryDir dir;
    QVERIFY(WriteFile(dir.filePath("a.txt"), "a"));
    QVERIFY(WriteFile(dir.filePath("decoy.txt"), "decoy"));
    SwappingPlatform platform;
    platform.decoyScript = "cd " + QFile::encodeName(dir.path()) +
                           "\r\nrename decoy.txt "
                           "stolen.txt\r\n";
    RealForm r(dir.path(), &platform);
    ChooseCase(r.form, 4);
    r.Run();
    QCOMPARE(Contents(dir.path()), (QStringList{"A.txt=a", "DECOY.txt=decoy"}));
}

void TestForm1Outcome::undoCaseOnlyOnFat()
{
    // A folder that ignores case: the run and its undo both need the two-step rename.
    FatImage fat;
    const QString mount = fat.Mount();
    if (mount.isEmpty())
        QSKIP(qPrintable(fat.SkipReason()));
    const QString folder = mount + "/undo";
    QVERIFY(QDir().mkdir(folder));
    for (const QString& name : kFiles)
        QVERIFY(WriteFile(folder + u'/' + name, name.toUtf8()));
    const QStringList first = Contents(folder);
    RealForm r(folder);
    ChooseCase(r.form, 6); // filename & extension to UPPERCASE
    r.form.Ui().Option2->click();
    r.Run();
    QCOMPARE(Contents(folder),
             (QStringList{"ONE.TXT=one.txt", "THREE.TXT=three.txt", "TWO.TXT=two.txt"}));
    r.messages.shown.clear();
    r.form.UndoAction()->trigger();
    QCOMPARE(r.messages.shown.size(), 2);
    QVERIFY2(r.messages.shown[1].detailedText.isEmpty(),
             qPrintable(r.messages.shown[1].detailedText));
    QCOMPARE(Contents(folder), first);
}

QTEST_MAIN(TestForm1Outcome)
#include "tst_form1_outcome.moc"
