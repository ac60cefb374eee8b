// SPDX-License-Identifier: GPL-3.0-or-later
#include "form_harness.h"
#include "ui/control_rules.h"
#include "ui/folder_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

using namespace quillet;
using namespace quillet::test;

namespace
{

QStringList Items(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

void ChooseFilter(Form1& form, const QString& entry)
{
    const int nIndex = form.Ui().Combo1->findText(entry);
    QVERIFY(nIndex >= 0);
    form.Ui().Combo1->setCurrentIndex(nIndex);
    emit form.Ui().Combo1->activated(nIndex);
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void startUpState();
    void startUpEmptyFolder();
    void actionButtons_data();
    void actionButtons();
    void ticking1TemplateDisablesOk();
    void spinnerAndStartNumber();
    void startNumberRefusesText();
    void deleteKeepsPairs();
    void filterAndFolderChange();
    void filterPickClearsTheSelection();
    void shellMarksPairsItsScriptCannotHold();
    void searchAndReplace();
    void searchAndReplaceOnEmptyList();
    void spaceButtonsAndMethod();
    void problemMarks();
    void driveWithoutMedium();
    void driveChange();
};

void TestForm1::startUpState()
{
    FormHarness h({"b.TXT", "a.txt", "c.Txt", "d.jpg"});
    Form1& form = h.Open();
    QCOMPARE(form.windowTitle(), QString("Quillet v 1.00 10032002 (Ombrel)"));
    QCOMPARE(form.size(), QSize(650, 469));
    // The program's own icon, drawn at 16 x 16 for the title bar.
    const QImage icon(":/icons/quillet-16.png");
    QVERIFY(!icon.isNull());
    QCOMPARE(
        form.windowIcon().pixmap(16).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
        icon.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    QCOMPARE(form.Ui().Text1->text(), QString("1"));
    QVERIFY(form.Ui().Text2->text().isEmpty() && form.Ui().Text3->text().isEmpty());
    QVERIFY(form.Ui().Text4->text().isEmpty());
    QVERIFY(!form.Ui().Check1->isChecked());
    QVERIFY(form.Ui().Option1->isChecked() && form.Ui().Option5->isChecked());
    QCOMPARE(form.Ui().Label15->text(), QString("0"));
    QVERIFY(form.Ui().Label15->isHidden());
    QCOMPARE(form.Ui().Label12->text(), QString("4"));
    QCOMPARE(form.Ui().cboFileNameCase->currentIndex(), -1);
    QCOMPARE(form.Ui().cboFileNameCase->currentText(), QString("No change"));
    QCOMPARE(form.Ui().cboFileNameCase->count(), 8);
    QCOMPARE(Items(form.Ui().Combo1), (QStringList{"*", "TXT", "JPG"}));
    QCOMPARE(form.Ui().Combo1->currentIndex(), -1);
    QCOMPARE(form.Ui().VScroll1->maximum(), 9999);
    QCOMPARE(form.Ui().VScroll1->value(), 1);
    QCOMPARE(form.OldNameColumn().Names(), (QStringList{"a.txt", "b.TXT", "c.Txt", "d.jpg"}));
    QCOMPARE(form.NewNameColumn().Names(), form.OldNameColumn().Names());
    QVERIFY(form.Ui().Frame1->isEnabled() && form.Ui().Command3->isEnabled());
    QVERIFY(form.Ui().Command1->isEnabled() && form.Ui().cmdCreateBatch->isEnabled());
    QVERIFY(form.Ui().lstNewFileName->uniformItemSizes() &&
            form.Ui().lstOldFileName->uniformItemSizes());
    QCOMPARE(form.Ui().lstNewFileName->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(form.Ui().lstOldFileName->selectionMode(), QAbstractItemView::SingleSelection);
    QVERIFY(h.messages.shown.isEmpty());
}

void TestForm1::startUpEmptyFolder()
{
    FormHarness h({}, {"sub"});
    Form1& form = h.Open();
    QCOMPARE(form.Ui().Label12->text(), QString("0"));
    QVERIFY(form.OldNameColumn().Names().isEmpty() && form.NewNameColumn().Names().isEmpty());
    QCOMPARE(Items(form.Ui().Combo1), QStringList{"*"});
    for (QWidget* w :
         {static_cast<QWidget*>(form.Ui().Frame1), static_cast<QWidget*>(form.Ui().Frame3),
          static_cast<QWidget*>(form.Ui().Text4), static_cast<QWidget*>(form.Ui().Label7),
          static_cast<QWidget*>(form.Ui().Command3), static_cast<QWidget*>(form.Ui().Command1),
          static_cast<QWidget*>(form.Ui().cmdCreateBatch)})
        QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    for (QWidget* w :
         {static_cast<QWidget*>(form.Ui().Drive1), static_cast<QWidget*>(form.Ui().Dir1),
          static_cast<QWidget*>(form.Ui().lstNewFileName), static_cast<QWidget*>(form.Ui().Option2),
          static_cast<QWidget*>(form.Ui().Option4), static_cast<QWidget*>(form.Ui().Command2),
          static_cast<QWidget*>(form.Ui().Label12)})
        QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
}

void TestForm1::actionButtons_data()
{
    QTest::addColumn<qsizetype>("files");
    QTest::addColumn<bool>("check");
    QTest::addColumn<QString>("tmpl");
    QTest::addColumn<int>("caseIndex");
    QTest::addColumn<bool>("justTicked");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("batch");
    QTest::newRow("checked, #") << qsizetype(1) << true << "a#" << -1 << false << true << true;
    QTest::newRow("checked, *") << qsizetype(1) << true << "*x" << 0 << false << true << true;
    QTest::newRow("checked, no placeholder")
        << qsizetype(1) << true << "abc" << 3 << false << false << false;
    QTest::newRow("checked, empty") << qsizetype(1) << true << "" << -1 << false << false << false;
    QTest::newRow("just ticked") << qsizetype(1) << true << "*" << -1 << true << false << true;
    QTest::newRow("unchecked, No change chosen")
        << qsizetype(1) << false << "#" << 0 << false << false << true;
    QTest::newRow("unchecked, nothing chosen")
        << qsizetype(1) << false << "" << -1 << false << true << true;
    QTest::newRow("unchecked, lowercase chosen")
        << qsizetype(1) << false << "" << 1 << false << true << true;
    QTest::newRow("unchecked, capitalize chosen")
        << qsizetype(1) << false << "" << 7 << false << true << true;
    QTest::newRow("no files") << qsizetype(0) << true << "#" << 1 << false << false << false;
}

void TestForm1::actionButtons()
{
    // The rules alone, without a window; the window's wiring of them is tested below.
    QFETCH(qsizetype, files);
    QFETCH(bool, check);
    QFETCH(QString, tmpl);
    QFETCH(int, caseIndex);
    QFETCH(bool, justTicked);
    QFETCH(bool, ok);
    QFETCH(bool, batch);
    const EnabledControls enabled = EnabledFor({files, check, tmpl, caseIndex, justTicked});
    QCOMPARE(enabled.bSettings, files > 0);
    QCOMPARE(enabled.bOk, ok);
    QCOMPARE(enabled.bBatchFile, batch);
}

void TestForm1::ticking1TemplateDisablesOk()
{
    FormHarness h({"a.txt"});
    Form1& form = h.Open();
    form.Ui().Text4->setText("*_x");
    form.Ui().Check1->click();
    QVERIFY(form.Ui().Check1->isChecked());
    QVERIFY(!form.Ui().Command1->isEnabled());
    QVERIFY(form.Ui().cmdCreateBatch->isEnabled());
    QCOMPARE(form.NewNameColumn().Name(0), QString("a_x.txt"));
    form.Ui().Text4->setText("*_y");
    QVERIFY(form.Ui().Command1->isEnabled());
    form.Ui().Check1->click(); // unticking applies the unchecked rule at once
    QVERIFY(form.Ui().Command1->isEnabled());
    QCOMPARE(form.NewNameColumn().Name(0), QString("a.txt"));
}

void TestForm1::spinnerAndStartNumber()
{
    FormHarness h({"a.txt", "b.txt"});
    Form1& form = h.Open();
    form.Ui().Check1->click();
    form.Ui().Text4->setText("#_*");
    form.Ui().Text1->setText("5");
    QCOMPARE(form.Ui().VScroll1->value(), 5);
    form.Ui().VScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub); // the upper arrow
    QCOMPARE(form.Ui().Text1->text(), QString("4"));
    QCOMPARE(form.NewNameColumn().Names(), (QStringList{"4_a.txt", "5_b.txt"}));
    form.Ui().VScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    form.Ui().VScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(form.Ui().Text1->text(), QString("6"));

    form.Ui().Text1->setText("1.5"); // the spinner moves to 2 and writes it back
    QCOMPARE(form.Ui().Text1->text(), QString("2"));
    form.Ui().Text1->setText("7");
    form.Ui().Text1->setText("007"); // no move, so the text stays as typed
    QCOMPARE(form.Ui().Text1->text(), QString("007"));
    QCOMPARE(form.NewNameColumn().Name(0), QString("7_a.txt"));

    form.Ui().Text1->setText("0");
    form.Ui().VScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(form.Ui().Text1->text(), QString("0"));
    form.Ui().Text1->setText("9999");
    form.Ui().VScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(form.Ui().Text1->text(), QString("9999"));
    form.Ui().Text4->setText("##_*");
    QCOMPARE(form.NewNameColumn().Names(), (QStringList{"9999_a.txt", "10000_b.txt"}));
}

void TestForm1::startNumberRefusesText()
{
    FormHarness h({"a.txt"});
    Form1& form = h.Open();
    form.Ui().Check1->click();
    form.Ui().Text4->setText("#");
    form.Ui().Text1->selectAll();
    QTest::keyClick(form.Ui().Text1, Qt::Key_Backspace);
    QCOMPARE(form.Ui().Text1->text(), QString()); // an empty box may exist while retyping
    QCOMPARE(form.NewNameColumn().Name(0), QString("0.txt"));
    QTest::keyClicks(form.Ui().Text1, "a-x");
    QCOMPARE(form.Ui().Text1->text(), QString());
    QTest::keyClicks(form.Ui().Text1, "12345");
    QCOMPARE(form.Ui().Text1->text(), QString("1234")); // the fifth digit would pass 9999
    QCOMPARE(form.Ui().VScroll1->value(), 1234);
    QCOMPARE(form.NewNameColumn().Name(0), QString("1234.txt"));
}

void TestForm1::deleteKeepsPairs()
{
    FormHarness h({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"});
    Form1& form = h.Open();
    ChooseCase(form, 6);
    QItemSelectionModel* selection = form.Ui().lstNewFileName->selectionModel();
    const auto model = form.Ui().lstNewFileName->model();
    selection->select(QItemSelection(model->index(1, 0), model->index(3, 0)),
                      QItemSelectionModel::Select);
    QTest::keyClick(form.Ui().lstNewFileName, Qt::Key_Delete);
    QCOMPARE(form.OldNameColumn().Names(), (QStringList{"a.txt", "e.txt"}));
    QCOMPARE(form.NewNameColumn().Names(), (QStringList{"A.TXT", "E.TXT"}));
    QCOMPARE(form.Ui().Label12->text(), QString("5")); // the count is the folder's

    // A later pass proposes names for the remaining entries only, counting over them.
    form.Ui().Check1->click();
    form.Ui().Text4->setText("#");
    QCOMPARE(form.NewNameColumn().Names(), (QStringList{"1.TXT", "2.TXT"}));

    // Other keys do nothing.
    selection->select(model->index(0, 0), QItemSelectionModel::Select);
    QTest::keyClick(form.Ui().lstNewFileName, Qt::Key_Backspace);
    QCOMPARE(form.OldNameColumn().Count(), 2);
    QTest::keyClick(form.Ui().lstNewFileName, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(form.OldNameColumn().Names(), QStringList{"e.txt"});
    QCOMPARE(form.NewNameColumn().Names(), QStringList{"2.TXT"}); // no pass after a Delete
}

void TestForm1::filterPickClearsTheSelection()
{
    // A row clicked among the TXT files must not stay selected among the JPG files that
    // replace them, where Delete would take a file the user never chose.
    FormHarness h({"x1.txt", "x2.txt", "x3.txt", "y1.jpg", "y2.jpg", "y3.jpg"});
    Form1& form = h.Open();
    ChooseFilter(form, "TXT");
    QListView* old = form.Ui().lstNewFileName;
    // x2.txt clicked: current and selected.
    old->selectionModel()->setCurrentIndex(old->model()->index(1, 0),
                                           QItemSelectionModel::ClearAndSelect);
    QCOMPARE(old->selectionModel()->selectedIndexes().size(), 1);
    ChooseFilter(form, "JPG");
    QVERIFY(!old->selectionModel()->hasSelection());
    QVERIFY(!form.Ui().lstOldFileName->currentIndex().isValid());
    old->setFocus();
    QTest::keyClick(old, Qt::Key_Delete);
    QCOMPARE(form.OldNameColumn().Names(), (QStringList{"y1.jpg", "y2.jpg", "y3.jpg"}));
    QCOMPARE(form.NewNameColumn().Count(), 3);
}

void TestForm1::shellMarksPairsItsScriptCannotHold()
{
    // A double quote is a legal name on POSIX but the script cannot hold it: with "Shell" the
    // row is marked before the run, and the run's refusal names it and says what helps.
#ifdef Q_OS_WIN
    QSKIP("Windows names hold no double quote");
#endif
    FormHarness h({"a.txt", "say\"hi.txt"});
    Form1& form = h.Open();
    ChooseCase(form, 7); // capitalize initial letter
    const QModelIndex quoted = form.Ui().lstOldFileName->model()->index(1, 0);
    QVERIFY(form.Ui().Option1->isChecked());
    QVERIFY(quoted.data(Qt::ForegroundRole).isValid());
    QVERIFY2(quoted.data(Qt::ToolTipRole).toString().contains("choose API(slow)"),
             qPrintable(quoted.data(Qt::ToolTipRole).toString()));
    QVERIFY(!form.Ui().lstOldFileName->model()->index(0, 0).data(Qt::ForegroundRole).isValid());
    form.Ui().Option2->click();
    QVERIFY(!quoted.data(Qt::ForegroundRole).isValid());
    form.Ui().Option1->click();
    form.Ui().Command1->click();
    QTRY_COMPARE(h.messages.shown.size(), 1);
    QVERIFY2(h.messages.shown[0].text.contains(
                 "Rows the script cannot hold: 2. Delete these rows, or choose API(slow)."),
             qPrintable(h.messages.shown[0].text));
    QVERIFY(h.platform.started.isEmpty());
}

void TestForm1::filterAndFolderChange()
{
    FormHarness h({"a.txt", "b.TXT", "c.Txt", "d.jpg", "README"}, {"sub"});
    QFile(h.dir.filePath("sub/x.doc")).open(QIODevice::WriteOnly);
    QFile(h.dir.filePath("sub/y.doc")).open(QIODevice::WriteOnly);
    Form1& form = h.Open();
    // A pick lists the folder's files as they are now, not as they were read.
    QVERIFY(QFile::rename(h.dir.filePath("a.txt"), h.dir.filePath("P07_a.txt")));
    ChooseFilter(form, "TXT");
    QCOMPARE(form.OldNameColumn().Names(), (QStringList{"b.TXT", "c.Txt", "P07_a.txt"}));
    QCOMPARE(form.Ui().Label12->text(), QString("3"));
    QCOMPARE(Items(form.Ui().Combo1), (QStringList{"*", "TXT", "JPG", "README"}));

    ChooseFilter(form, "README"); // no name ends in .README
    QCOMPARE(form.OldNameColumn().Count(), 0);
    QVERIFY(!form.Ui().Frame3->isEnabled());
    QVERIFY(!form.Ui().Command1->isEnabled());

    form.OpenFolder(h.dir.filePath("sub"));
    QCOMPARE(form.File1().Pattern(), QString("*.*"));
    QCOMPARE(form.Ui().Combo1->currentIndex(), -1);
    QCOMPARE(Items(form.Ui().Combo1), (QStringList{"*", "DOC"}));
    QCOMPARE(form.OldNameColumn().Names(), (QStringList{"x.doc", "y.doc"}));
    QCOMPARE(form.NewNameColumn().Count(), 2);
    QVERIFY(form.Ui().Frame3->isEnabled());
}

void TestForm1::searchAndReplace()
{
    FormHarness h({"Summer 01.jpg", "Summer 02.jpg", "x.txt"});
    Form1& form = h.Open();
    form.Ui().Text2->setText("Summer");
    form.Ui().Text3->setText("Winter");
    int nBarDuringMessage = -1;
    h.messages.onShow = [&] { nBarDuringMessage = form.Ui().ProgressBar1->value(); };
    form.Ui().Command3->click();
    QCOMPARE(form.NewNameColumn().Names(),
             (QStringList{"Winter 01.jpg", "Winter 02.jpg", "x.txt"}));
    QCOMPARE(form.OldNameColumn().Names(),
             (QStringList{"Summer 01.jpg", "Summer 02.jpg", "x.txt"}));
    QCOMPARE(h.messages.shown.size(), 1);
    QCOMPARE(h.messages.shown[0].text, QString("Search and Replace Finished"));
    QCOMPARE(h.messages.shown[0].title, QString("Search and Replace status"));
    QCOMPARE(h.messages.shown[0].icon, MessageIcon::Information);
    QCOMPARE(nBarDuringMessage, 3);
    QCOMPARE(form.Ui().ProgressBar1->value(), 0);
    QVERIFY(form.Ui().Text2->text().isEmpty() && form.Ui().Text3->text().isEmpty());

    // The next pass discards the replacements.
    ChooseCase(form, 3);
    QCOMPARE(form.NewNameColumn().Name(0), QString("summer 01.jpg"));
}

void TestForm1::searchAndReplaceOnEmptyList()
{
    FormHarness h({"a.txt"});
    Form1& form = h.Open();
    form.Ui().lstNewFileName->selectAll();
    QTest::keyClick(form.Ui().lstNewFileName, Qt::Key_Delete);
    QCOMPARE(form.NewNameColumn().Count(), 0);
    form.Ui().Text2->setText("a");
    form.Ui().Command3->click();
    QCOMPARE(h.messages.shown.size(), 1);
    QCOMPARE(form.Ui().ProgressBar1->value(), 0);
    QVERIFY(form.Ui().ProgressBar1->maximum() > form.Ui().ProgressBar1->minimum()); // no busy bar
}

void TestForm1::spaceButtonsAndMethod()
{
    FormHarness h({"my  file.txt"});
    Form1& form = h.Open();
    form.Ui().Option4->click();
    QCOMPARE(form.Ui().Label15->text(), QString("2"));
    QCOMPARE(form.NewNameColumn().Name(0), QString("myfile.txt"));
    form.Ui().Option3->click();
    QCOMPARE(form.Ui().Label15->text(), QString("1"));
    QCOMPARE(form.NewNameColumn().Name(0), QString("my file.txt"));
    form.Ui().Text2->setText("file");
    form.Ui().Text3->setText("doc");
    form.Ui().Command3->click();
    form.Ui().Option2->click(); // the method runs no pass: the replacement stays
    QVERIFY(form.Ui().Option2->isChecked() && !form.Ui().Option1->isChecked());
    QCOMPARE(form.NewNameColumn().Name(0), QString("my doc.txt"));
    form.Ui().Option5->click();
    QCOMPARE(form.Ui().Label15->text(), QString("0"));
    QCOMPARE(form.NewNameColumn().Name(0), QString("my  file.txt"));
}

void TestForm1::problemMarks()
{
    FormHarness h({"1.txt", "2.txt", "3.txt"});
    Form1& form = h.Open();
    QCOMPARE(form.NewNameColumn().Problem(0), NameProblem::None);
    form.Ui().Check1->click();
    form.Ui().Text4->setText("same"); // every file the same proposal
    const QModelIndex first = form.Ui().lstOldFileName->model()->index(0, 0);
    QCOMPARE(form.NewNameColumn().Problem(0), NameProblem::Duplicate);
    QVERIFY(first.data(Qt::ForegroundRole).isValid());
    QVERIFY(!first.data(Qt::ToolTipRole).toString().isEmpty());
    form.Ui().Text4->setText("*");
    QVERIFY(!first.data(Qt::ForegroundRole).isValid());
    form.Ui().Text4->setText("#");
    form.Ui().Text1->setText("2"); // 1.txt -> 2.txt while 2.txt is still there
    QCOMPARE(form.NewNameColumn().Names(), (QStringList{"2.txt", "3.txt", "4.txt"}));
    QCOMPARE(form.NewNameColumn().Problem(0), NameProblem::Taken);
    QCOMPARE(form.NewNameColumn().Problem(2), NameProblem::None);
    form.Ui().lstNewFileName->selectionModel()->select(
        form.Ui().lstNewFileName->model()->index(2, 0), QItemSelectionModel::Select);
    QTest::keyClick(form.Ui().lstNewFileName, Qt::Key_Delete); // 3.txt stays, unlisted
    QCOMPARE(form.NewNameColumn().Problem(1), NameProblem::Taken);
}

void TestForm1::driveWithoutMedium()
{
    FormHarness h({"a.txt"});
    h.drives.drives.append(Drive{"/nodisk", "/nodisk"});
    h.drives.notReady = {"/nodisk"};
    Form1& form = h.Open();
    const QString folder = form.File1().Path();
    form.Ui().Drive1->setCurrentIndex(1);
    emit form.Ui().Drive1->activated(1);
    // The message, then one more try; that fails too, so everything stays as it was.
    QCOMPARE(h.messages.shown.size(), 1);
    QCOMPARE(h.messages.shown[0].text, QString("No Disk was found on drive /nodisk"));
    QCOMPARE(h.messages.shown[0].title, QString());
    QCOMPARE(h.messages.shown[0].icon, MessageIcon::None);
    QCOMPARE(form.Ui().Drive1->currentIndex(), 0);
    QCOMPARE(form.File1().Path(), folder);
    QCOMPARE(form.OldNameColumn().Names(), QStringList{"a.txt"});

    // A medium inserted while the message is open: the second try enters the drive.
    h.messages.onShow = [&] { h.drives.notReady.clear(); };
    h.drives.drives[1] = Drive{h.dir.path() + "/sub", h.dir.path() + "/sub"};
    h.drives.notReady = {h.dir.path() + "/sub"};
    QVERIFY(QDir(h.dir.path()).mkdir("sub"));
    QFile(h.dir.filePath("sub/b.doc")).open(QIODevice::WriteOnly);
    Form1& again = h.Open();
    h.messages.shown.clear();
    again.Ui().Drive1->setCurrentIndex(1);
    emit again.Ui().Drive1->activated(1);
    QCOMPARE(h.messages.shown.size(), 1);
    QCOMPARE(again.OldNameColumn().Names(), QStringList{"b.doc"});
    QCOMPARE(again.Ui().Drive1->currentIndex(), 1);
}

void TestForm1::driveChange()
{
    FormHarness h({"a.txt"}, {"sub"});
    QFile(h.dir.filePath("sub/x.png")).open(QIODevice::WriteOnly);
    const QString sub = QDir(h.dir.filePath("sub")).canonicalPath();
    h.drives.drives.append(Drive{sub, sub});
    Form1& form = h.Open();
    form.Ui().Drive1->setCurrentIndex(1);
    emit form.Ui().Drive1->activated(1);
    QVERIFY(h.messages.shown.isEmpty());
    QCOMPARE(form.OldNameColumn().Names(), QStringList{"x.png"});
    // Back on the first drive, the folder list returns to the folder last visited on it.
    form.Ui().Drive1->setCurrentIndex(0);
    emit form.Ui().Drive1->activated(0);
    QCOMPARE(form.OldNameColumn().Names(), QStringList{"a.txt"});
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
