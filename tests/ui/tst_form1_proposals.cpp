// SPDX-License-Identifier: GPL-3.0-or-later
// A folder too large for the conflict check to run in the handler: the rows shown, the
// list a run reads and the marks must all be those of the latest change.

#include "core/generation_pass.h"
#include "form_harness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

using namespace quillet;
using namespace quillet::test;

namespace
{

constexpr int kFiles = 9000;

QStringList FileNames()
{
    QStringList names;
    for (int i = 0; i < kFiles; ++i)
        names.append(QStringLiteral("f  %1.Txt").arg(i, 4, 10, QChar(u'0')));
    return names;
}

} // namespace

class TestForm1Proposals : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_harness.Open(); }
    void rowsShownAreThoseOfThePass_data();
    void rowsShownAreThoseOfThePass();
    void marksAreThoseOfTheLatestChange();
    void runRightAfterAKeyRenamesToTheShownNames();

private:
    Form1& form() { return *m_harness.form; }
    FormHarness m_harness{FileNames()};
};

void TestForm1Proposals::rowsShownAreThoseOfThePass_data()
{
    QTest::addColumn<bool>("useTemplate");
    QTest::addColumn<QString>("tmpl");
    QTest::addColumn<QString>("startAt");
    QTest::addColumn<int>("caseMode");
    QTest::addColumn<int>("spaceButton"); // 5 no change, 3 no redundant, 4 no space

    QTest::newRow("case only") << false << ""
                               << "1" << int(CaseMode::AllUpper) << 5;
    QTest::newRow("counter from 7") << true << "Pic_###_*"
                                    << "7" << int(CaseMode::NoChange) << 5;
    QTest::newRow("counter past its width") << true << "#_*"
                                            << "9990" << int(CaseMode::NameUpper) << 3;
    QTest::newRow("no spaces, capital") << true << "* ##"
                                        << "0" << int(CaseMode::CapitalizeInitial) << 4;
}

void TestForm1Proposals::rowsShownAreThoseOfThePass()
{
    QFETCH(bool, useTemplate);
    QFETCH(QString, tmpl);
    QFETCH(QString, startAt);
    QFETCH(int, caseMode);
    QFETCH(int, spaceButton);

    if (form().Ui().Check1->isChecked() != useTemplate)
        form().Ui().Check1->click();
    form().Ui().Text4->setText(tmpl);
    form().Ui().Text1->setText(startAt);
    ChooseCase(form(), caseMode);
    (spaceButton == 3   ? form().Ui().Option3
     : spaceButton == 4 ? form().Ui().Option4
                        : form().Ui().Option5)
        ->click();

    RenameSettings settings;
    settings.bUseTemplate = useTemplate;
    settings.strTemplate = tmpl;
    settings.strStartAt = startAt;
    settings.nCaseMode = caseMode;
    settings.strSpaceMode = QString::number(spaceButton == 3 ? 1 : spaceButton == 4 ? 2 : 0);
    settings.files = FileNames();
    const QStringList expected = BuildNewNames(settings);

    // Rows read one by one as the view reads them, before anything asked for the list.
    const QAbstractItemModel* model = form().Ui().lstOldFileName->model();
    QCOMPARE(model->rowCount(), kFiles);
    for (const int row : {0, 1, 4500, kFiles - 1})
        QCOMPARE(model->index(row, 0).data().toString(), expected[row]);
    QCOMPARE(form().NewNameColumn().Names(), expected);
}

void TestForm1Proposals::marksAreThoseOfTheLatestChange()
{
    if (!form().Ui().Check1->isChecked())
        form().Ui().Check1->click();
    ChooseCase(form(), CaseMode::NoChange);
    form().Ui().Option5->click();
    const QModelIndex first = form().Ui().lstOldFileName->model()->index(0, 0);

    form().Ui().Text4->setText("same"); // every file the same name: checked on the worker
    QVERIFY(!form().NewNameColumn().Forecast());
    QVERIFY(!first.data(Qt::ForegroundRole).isValid()); // no marks of an older change
    QTRY_VERIFY(form().NewNameColumn().Forecast());
    QCOMPARE(form().NewNameColumn().Problem(kFiles - 1), NameProblem::Duplicate);
    QVERIFY(first.data(Qt::ForegroundRole).isValid());

    // A change after a check that is done but not yet shown: only the check of the last
    // change is shown.
    form().Ui().Text4->setText("same again");
    form().WaitForMarks();
    form().Ui().Text4->setText("*_#");
    QTRY_VERIFY(form().NewNameColumn().Forecast());
    QCOMPARE(form().NewNameColumn().Problem(0), NameProblem::None);
    QCOMPARE(form().NewNameColumn().Problem(kFiles - 1), NameProblem::None);
    QVERIFY(!first.data(Qt::ForegroundRole).isValid());
}

void TestForm1Proposals::runRightAfterAKeyRenamesToTheShownNames()
{
    if (!form().Ui().Check1->isChecked())
        form().Ui().Check1->click();
    form().Ui().Text1->setText("1");
    form().Ui().Text4->setText("x_*_#");
    QTest::keyClick(form().Ui().Text4, Qt::Key_Z);
    form().Ui().Option2->click();
    QSignalSpy done(&form(), &Form1::jobFinished);
    form().Ui().Command1->click();                // before the marks of the key are in
    QVERIFY(!form().Busy() || done.wait(240000)); // renames are slow under Wine

    const QList<FakePlatform::Rename>& renames = m_harness.platform.renames;
    QCOMPARE(renames.size(), kFiles);
    QCOMPARE(renames.first().from, QString("f  0000.Txt"));
    QCOMPARE(renames.first().to, QString("x_f  0000_1z.Txt"));
    QCOMPARE(renames.last().from, QString("f  8999.Txt"));
    QCOMPARE(renames.last().to, QString("x_f  8999_9000z.Txt"));
}

QTEST_MAIN(TestForm1Proposals)
#include "tst_form1_proposals.moc"
