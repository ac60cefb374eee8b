// SPDX-License-Identifier: GPL-3.0-or-later
// The rename buttons end to end through the window, on real folders with the real
// platform layer; only the message boxes are replaced.

#include "fat_image.h"
#include "form_harness.h"
#include "run/run_journal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace quillet;
using namespace quillet::test;

namespace
{

QStringList FilesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// Waits for the folder to hold exactly the expected names, polling with a deadline.
bool WaitForFiles(const QString& folder, const QStringList& expected)
{
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (FilesOf(folder) == expected)
            return true;
        QTest::qWait(20);
    }
    return false;
}

// A Form1 on folder with the system's platform layer and recorded messages.
struct RealForm {
    explicit RealForm(const QString& folder)
        : platform(CreatePlatform()),
          form(Form1::Services{&messages, &drives, platform.get()}, folder)
    {
    }
    MessageRecorder messages;
    FakeDrives drives;
    std::unique_ptr<Platform> platform;
    Form1 form;
};

void MakeFiles(const QString& folder, const QStringList& names)
{
    for (const QString& name : names) {
        QFile file(folder + u'/' + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(name.toUtf8());
    }
}

} // namespace

class TestForm1Rename : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void apiMethodRenames();
    void apiMethodLosesNothingOnCollisions();
    void apiMethodCaseOnlyOnFat();
    void shellMethodRenames();
    void batchFileOpensEditor();
    void interruptedRunOffered_data();
    void interruptedRunOffered();

private:
    QTemporaryDir m_cache; // the private script folder of this test run
};

void TestForm1Rename::init()
{
    qputenv("XDG_CACHE_HOME", m_cache.path().toUtf8());
}

void TestForm1Rename::interruptedRunOffered_data()
{
    QTest::addColumn<bool>("bYes");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("Yes") << true << QStringList{"a.txt", "b.txt", "c.txt"};
    QTest::newRow("No") << false << QStringList{"c.txt", "x.txt", "y.txt"};
}

void TestForm1Rename::interruptedRunOffered()
{
    // A run of 3 pairs killed after renaming a and b: its journal has their results, and
    // announces c -> z, which never happened. The next start asks once; either answer removes
    // the journal, "Yes" gives a and b their old names back.
    QFETCH(bool, bYes);
    QFETCH(QStringList, after);
    QTemporaryDir dir;
    MakeFiles(dir.path(), {"a.txt", "b.txt", "c.txt"});
    const std::unique_ptr<Platform> platform = CreatePlatform();
    const QString folder = dir.path() + '/';
    const QString journals = JournalFolder(nullptr).value_or(QString());
    {
        std::unique_ptr<RunJournal> journal =
            RunJournal::create(NewJournalPath(journals), 3, nullptr);
        QVERIFY(journal);
        journal->enterFolder(folder, platform->folderIdentity(folder).value_or(QByteArray()));
        for (const auto& [from, to] : {std::pair{"a.txt", "x.txt"}, std::pair{"b.txt", "y.txt"}}) {
            journal->intend(from, to);
            QVERIFY(journal->flush());
            QVERIFY(platform->renameInFolder(folder, from, to).ok);
            journal->renamed(platform->fileIdentity(folder, to).value_or(QByteArray()));
        }
        journal->intend("c.txt", "z.txt");
    }

    RealForm r(dir.path());
    r.messages.reply = [bYes](const MessageRequest& request) {
        return MessageReply{!request.question || bYes, false};
    };
    r.form.OfferInterruptedRuns();
    QTRY_VERIFY(!r.form.Busy());
    QCOMPARE(FilesOf(dir.path()), after);
    QCOMPARE(r.messages.shown.size(), bYes ? 2 : 1);
    QCOMPARE(r.messages.shown[0].text,
             QString("The rename run in %1 was interrupted after 2 of 3 files. Give those 2 "
                     "files their old names back?")
                 .arg(dir.path()));
    QVERIFY(r.messages.shown[0].question);
    if (bYes)
        QCOMPARE(r.messages.shown[1].text, QString("2 files got their old names back."));
    QVERIFY(JournalPaths(journals).isEmpty());
    r.form.OfferInterruptedRuns(); // nothing left to offer
    QCOMPARE(r.messages.shown.size(), bYes ? 2 : 1);
}

void TestForm1Rename::apiMethodRenames()
{
    QTemporaryDir dir;
    MakeFiles(dir.path(), {"beach.jpg", "city.png", "100% sure.txt"});
    RealForm r(dir.path());
    r.form.Ui().Check1->click();
    r.form.Ui().Text4->setText("Photo_###_*");
    r.form.Ui().Option2->click();
    int nBarDuringMessage = -1;
    r.messages.onShow = [&] { nBarDuringMessage = r.form.Ui().ProgressBar1->value(); };
    r.form.Ui().Command1->click();

    QCOMPARE(FilesOf(dir.path()),
             (QStringList{"Photo_001_100% sure.txt", "Photo_002_beach.jpg", "Photo_003_city.png"}));
    QCOMPARE(r.messages.shown.size(), 1);
    QCOMPARE(r.messages.shown[0].text, QString("Finished Renaming Files"));
    QCOMPARE(r.messages.shown[0].title, QString("Rename status"));
    QCOMPARE(r.messages.shown[0].icon, MessageIcon::Information);
    QCOMPARE(nBarDuringMessage, 3);
    QCOMPARE(r.form.Ui().ProgressBar1->value(), 0);
    // The columns are not refreshed after a run.
    QCOMPARE(r.form.OldNameColumn().Name(1), QString("beach.jpg"));
}

void TestForm1Rename::apiMethodLosesNothingOnCollisions()
{
    QTemporaryDir dir;
    MakeFiles(dir.path(), {"a.txt", "b.txt", "c.txt"});
    RealForm r(dir.path());
    // a -> b while b still exists, b -> a: a swap; c -> c unchanged.
    r.form.Ui().Text2->setText("a.txt");
    r.form.Ui().Text3->setText("tmp");
    r.form.Ui().Command3->click();
    r.form.Ui().Text2->setText("b.txt");
    r.form.Ui().Text3->setText("a.txt");
    r.form.Ui().Command3->click();
    r.form.Ui().Text2->setText("tmp");
    r.form.Ui().Text3->setText("b.txt");
    r.form.Ui().Command3->click();
    QCOMPARE(r.form.NewNameColumn().Names(), (QStringList{"b.txt", "a.txt", "c.txt"}));
    r.messages.shown.clear();
    r.form.Ui().Option2->click();
    r.form.Ui().Command1->click();

    // Both renames of the swap are refused; every file keeps its content.
    QCOMPARE(FilesOf(dir.path()), (QStringList{"a.txt", "b.txt", "c.txt"}));
    for (const QString& name : QStringList{"a.txt", "b.txt", "c.txt"}) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray(name.toUtf8()));
    }
    QCOMPARE(r.messages.shown.size(), 3); // two failures, then the closing message
    QVERIFY(r.messages.shown[0].text.contains("a.txt"));
    QCOMPARE(r.messages.shown.back().text,
             QString("Finished Renaming Files\n2 of 3 files were not renamed."));
}

void TestForm1Rename::apiMethodCaseOnlyOnFat()
{
    FatImage fat;
    const QString mount = fat.Mount();
    if (mount.isEmpty())
        QSKIP(qPrintable(fat.SkipReason()));
    const QString folder = mount + "/case";
    QVERIFY(QDir().mkdir(folder));
    MakeFiles(folder, {"a.txt", "Keep.doc"});
    RealForm r(folder);
    ChooseCase(r.form, 6); // filename & extension to UPPERCASE
    QCOMPARE(r.form.NewNameColumn().Names(), (QStringList{"A.TXT", "KEEP.DOC"}));
    QCOMPARE(r.form.NewNameColumn().Problem(0), NameProblem::None);
    r.form.Ui().Option2->click();
    r.form.Ui().Command1->click();
    QCOMPARE(FilesOf(folder), (QStringList{"A.TXT", "KEEP.DOC"}));
    QCOMPARE(r.messages.shown.size(), 1);
}

void TestForm1Rename::shellMethodRenames()
{
    QTemporaryDir dir;
    MakeFiles(dir.path(), {"one.txt", "two.txt"});
    RealForm r(dir.path());
    ChooseCase(r.form, 4); // filename to UPPERCASE
    QVERIFY(r.form.Ui().Option1->isChecked());
    r.form.Ui().Command1->click();
    QTRY_COMPARE(r.messages.shown.size(), 1);
    QCOMPARE(r.messages.shown[0].text, QString("Rename Finished!"));
    QCOMPARE(r.messages.shown[0].title, QString());
    QCOMPARE(r.messages.shown[0].icon, MessageIcon::None);
    QVERIFY2(WaitForFiles(dir.path(), {"ONE.txt", "TWO.txt"}),
             qPrintable(FilesOf(dir.path()).join(", ")));
}

void TestForm1Rename::batchFileOpensEditor()
{
    QTemporaryDir work;
    QTemporaryDir bin;
    QTemporaryDir dir;
    MakeFiles(dir.path(), {"x.txt"});
    // A fake text editor on an otherwise empty PATH records the file it was given.
    const QString record = bin.filePath("opened");
    QFile editor(bin.filePath("gedit"));
    QVERIFY(editor.open(QIODevice::WriteOnly));
    editor.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\n").arg(record).toUtf8());
    editor.close();
    editor.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray savedPath = qgetenv("PATH");
    const QString savedCwd = QDir::currentPath();
    qputenv("PATH", bin.path().toUtf8());
    qputenv("XDG_DATA_HOME", work.path().toUtf8());
    qputenv("XDG_DATA_DIRS", work.path().toUtf8());
    QDir::setCurrent(work.path());

    RealForm r(dir.path());
    ChooseCase(r.form, 6);
    r.form.Ui().cmdCreateBatch->click();
    QDir::setCurrent(savedCwd);
    qputenv("PATH", savedPath);

    QVERIFY(r.messages.shown.isEmpty());
    QFile script(work.filePath("rename.bat"));
    QVERIFY(script.open(QIODevice::ReadOnly));
    QVERIFY(script.readAll().endsWith("rename \"x.txt\" \"X.TXT\"\r\n"));
    // The editor's shell creates the record before it writes to it: wait for the content.
    const auto recorded = [&record] {
        QFile opened(record);
        return opened.open(QIODevice::ReadOnly) ? QString::fromUtf8(opened.readAll()) : QString();
    };
    QTRY_COMPARE_WITH_TIMEOUT(recorded(), work.filePath("rename.bat"), 10000);
    QCOMPARE(FilesOf(dir.path()), QStringList{"x.txt"}); // nothing renamed
}

QTEST_MAIN(TestForm1Rename)
#include "tst_form1_rename.moc"
