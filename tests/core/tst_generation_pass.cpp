// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/generation_pass.h"

#include <QtTest>

using namespace quillet;

class TestGenerationPass : public QObject
{
    Q_OBJECT

private slots:
    void oneName_data();
    void oneName();
    void counterFollowsListOrder();
    void counterStepsAsEachNameAlone_data();
    void counterStepsAsEachNameAlone();
    void emptyList();
    void largeListMatchesOneByOne();
};

void TestGenerationPass::oneName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("spaceMode");
    QTest::addColumn<bool>("useTemplate");
    QTest::addColumn<QString>("tmpl");
    QTest::addColumn<int>("caseMode");
    QTest::addColumn<QString>("expected");

    const QString report = "mY Report.Txt";
    QTest::newRow("case 0") << report << "0" << false << "" << 0 << "mY Report.Txt";
    QTest::newRow("case 1") << report << "0" << false << "" << 1 << "my report.Txt";
    QTest::newRow("case 2") << report << "0" << false << "" << 2 << "mY Report.txt";
    QTest::newRow("case 3") << report << "0" << false << "" << 3 << "my report.txt";
    QTest::newRow("case 4") << report << "0" << false << "" << 4 << "MY REPORT.Txt";
    QTest::newRow("case 5") << report << "0" << false << "" << 5 << "mY Report.TXT";
    QTest::newRow("case 6") << report << "0" << false << "" << 6 << "MY REPORT.TXT";
    QTest::newRow("case 7") << report << "0" << false << "" << 7 << "My Report.txt";
    QTest::newRow("case -1") << report << "0" << false << "" << -1 << report;
    QTest::newRow("case 8") << report << "0" << false << "" << 8 << report;

    QTest::newRow("multi-dot splits at the last dot")
        << "archive.tar.gz"
        << "0" << false << "" << 5 << "archive.tar.GZ";
    QTest::newRow("multi-dot name piece") << "Archive.TAR.gz"
                                          << "0" << false << "" << 1 << "archive.tar.gz";
    QTest::newRow("no dot is all extension: name case") << "README"
                                                        << "0" << false << "" << 1 << "README";
    QTest::newRow("no dot is all extension: extension case") << "README"
                                                             << "0" << false << "" << 2 << "readme";
    QTest::newRow("dotfile: extension case") << ".Profile"
                                             << "0" << false << "" << 5 << ".PROFILE";
    QTest::newRow("dotfile with template gets an empty name")
        << ".profile"
        << "0" << true << "[*]" << 0 << "[].profile";
    QTest::newRow("trailing dot") << "Notes."
                                  << "0" << false << "" << 6 << "NOTES.";

    QTest::newRow("no spaces then template") << "my  holiday.jpg"
                                             << "2" << true << "*" << 0 << "myholiday.jpg";
    QTest::newRow("collapse before name case") << "My  Holiday.JPG"
                                               << "1" << false << "" << 1 << "my holiday.JPG";
    QTest::newRow("spaces around the dot") << "a  .  txt"
                                           << "1" << false << "" << 0 << "a . txt";
    QTest::newRow("space mode text other than 1 or 2") << "a  b.txt"
                                                       << "3" << false << "" << 0 << "a  b.txt";
    QTest::newRow("space mode with blank") << "a  b.txt"
                                           << " 1" << false << "" << 0 << "a  b.txt";
    QTest::newRow("tabs are not spaces") << "a\t\tb.txt"
                                         << "2" << false << "" << 0 << "a\t\tb.txt";

    QTest::newRow("template") << "beach.jpg"
                              << "0" << true << "Photo_###_*" << 0 << "Photo_001_beach.jpg";
    QTest::newRow("template then name upper")
        << "beach.jpg"
        << "0" << true << "Photo_###_*" << 4 << "PHOTO_001_BEACH.jpg";
    QTest::newRow("empty template keeps the extension") << "beach.jpg"
                                                        << "0" << true << "" << 0 << ".jpg";
    QTest::newRow("template off ignores the template") << "beach.jpg"
                                                       << "0" << false << "X_#" << 0 << "beach.jpg";
    QTest::newRow("no dot with template takes the whole name")
        << "README"
        << "0" << true << "#_*" << 0 << "1_README";
    QTest::newRow("no dot with template: name case applies to the result")
        << "README"
        << "0" << true << "#_*" << 1 << "1_readme";
    QTest::newRow("template dots do not move the split")
        << "a.JPG"
        << "0" << true << "x.y_*" << 2 << "x.y_a.jpg";

    QTest::newRow("capitalize greek") << QString::fromUtf8("ΑΛΦΑ βήτα.TXT") << "0" << false << ""
                                      << 7 << QString::fromUtf8("Αλφα Βήτα.txt");
    QTest::newRow("upper outside the BMP keeps the length")
        << QString::fromUtf8("\U00010428x.txt") << "0" << false << "" << 4
        << QString::fromUtf8("\U00010400X.txt");
    QTest::newRow("accented extension") << QString::fromUtf8("café.ÉTÉ") << "0" << false << "" << 2
                                        << QString::fromUtf8("café.été");
}

void TestGenerationPass::oneName()
{
    QFETCH(QString, name);
    QFETCH(QString, spaceMode);
    QFETCH(bool, useTemplate);
    QFETCH(QString, tmpl);
    QFETCH(int, caseMode);
    QFETCH(QString, expected);

    RenameSettings settings;
    settings.strSpaceMode = spaceMode;
    settings.bUseTemplate = useTemplate;
    settings.strTemplate = tmpl;
    settings.nCaseMode = caseMode;
    settings.files = {name};
    QCOMPARE(BuildNewNames(settings), QStringList{expected});
    QCOMPARE(settings.files, QStringList{name});
}

void TestGenerationPass::counterFollowsListOrder()
{
    RenameSettings settings;
    settings.bUseTemplate = true;
    settings.strTemplate = "Photo_###_*";
    settings.strStartAt = "9";
    settings.files = {"beach.jpg", "city.png", "README", "z.tar.gz"};
    const QStringList expected = {"Photo_009_beach.jpg", "Photo_010_city.png", "Photo_011_README",
                                  "Photo_012_z.tar.gz"};
    QCOMPARE(BuildNewNames(settings), expected);

    // A start number that is not a number never fails the pass.
    settings.strStartAt = "";
    QCOMPARE(BuildNewNames(settings).first(), QString("Photo_000_beach.jpg"));
}

void TestGenerationPass::counterStepsAsEachNameAlone_data()
{
    QTest::addColumn<QString>("tmpl");
    QTest::addColumn<QString>("startAt");
    QTest::addColumn<QString>("last"); // the proposal for the 30th name
    QTest::newRow("negative through zero") << "#_*"
                                           << "-12"
                                           << "17_n29.txt";
    QTest::newRow("one digit more than the run") << "##_*"
                                                 << "95"
                                                 << "124_n29.txt";
    QTest::newRow("two counters") << "###-###*"
                                  << "990"
                                  << "1019-1019n29.txt";
    QTest::newRow("no counter") << "x*"
                                << "7"
                                << "xn29.txt";
}

void TestGenerationPass::counterStepsAsEachNameAlone()
{
    // The pass steps the counter on from name to name; each proposal must still be the one
    // the name gets on its own, at its own index.
    QFETCH(QString, tmpl);
    QFETCH(QString, startAt);
    QFETCH(QString, last);
    RenameSettings settings;
    settings.bUseTemplate = true;
    settings.strTemplate = tmpl;
    settings.strStartAt = startAt;
    for (int i = 0; i < 30; ++i)
        settings.files.append(QString("n%1.txt").arg(i));
    const QStringList proposals = BuildNewNames(settings);
    for (qsizetype i = 0; i < proposals.size(); ++i)
        QCOMPARE(proposals[i], ProposeName(settings, i, settings.files[i]));
    QCOMPARE(proposals.last(), last);
}

void TestGenerationPass::emptyList()
{
    RenameSettings settings;
    settings.bUseTemplate = true;
    settings.strTemplate = "#";
    QVERIFY(BuildNewNames(settings).isEmpty());
}

void TestGenerationPass::largeListMatchesOneByOne()
{
    // Large lists are shared out over threads; every proposal must still be the one the
    // name gets on its own, at its own index.
    RenameSettings settings;
    settings.bUseTemplate = true;
    settings.strTemplate = "Photo_####_*";
    settings.strSpaceMode = "1";
    settings.nCaseMode = 7;
    for (int i = 0; i < 50000; ++i)
        settings.files.append(QString("name  %1 %2.JPG").arg(i).arg(QChar(0x3b1 + i % 20)));
    const QStringList proposals = BuildNewNames(settings);
    QCOMPARE(proposals.size(), settings.files.size());
    for (qsizetype i = 0; i < proposals.size(); i += 997)
        QCOMPARE(proposals[i], ProposeName(settings, i, settings.files[i]));
    QCOMPARE(proposals.last(), ProposeName(settings, 49999, settings.files.last()));
    QCOMPARE(proposals[25000].left(11), QString("Photo_25001"));
}

QTEST_APPLESS_MAIN(TestGenerationPass)
#include "tst_generation_pass.moc"
