// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/generation_pass.h"
#include "core/name_conflicts.h"
#include "core/rename_forecaster.h"

#include <QtTest>

using namespace quillet;

using Problems = QList<NameProblem>;

class TestNameConflicts : public QObject
{
    Q_OBJECT

private slots:
    void check_data();
    void check();
    void forecast_data();
    void forecast();
    void refusedNameTooltip_data();
    void refusedNameTooltip();
    void largeLists();
    void forecasterKeptBetweenChecks_data();
    void forecasterKeptBetweenChecks();
};

void TestNameConflicts::check_data()
{
    QTest::addColumn<QStringList>("current");
    QTest::addColumn<QStringList>("proposed");
    QTest::addColumn<QStringList>("folder");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<bool>("windowsNames");
    QTest::addColumn<Problems>("expected");

    const auto N = NameProblem::None;
    const auto I = NameProblem::Invalid;
    const auto D = NameProblem::Duplicate;
    const auto T = NameProblem::Taken;

    QTest::newRow("all fine") << QStringList{"a", "b"} << QStringList{"x", "y"}
                              << QStringList{"a", "b"} << false << false << Problems{N, N};
    QTest::newRow("same proposal twice")
        << QStringList{"a", "b", "c"} << QStringList{"x", "x", "y"} << QStringList{"a", "b", "c"}
        << false << false << Problems{D, D, N};
    QTest::newRow("same proposal but for case, case ignored")
        << QStringList{"a", "b"} << QStringList{"X", "x"} << QStringList{"a", "b"} << true << false
        << Problems{D, D};
    QTest::newRow("same proposal but for case, case kept")
        << QStringList{"a", "b"} << QStringList{"X", "x"} << QStringList{"a", "b"} << false << false
        << Problems{N, N};
    QTest::newRow("unchanged name is fine") << QStringList{"a"} << QStringList{"a"}
                                            << QStringList{"a"} << false << false << Problems{N};
    QTest::newRow("case-only change is fine")
        << QStringList{"a.txt"} << QStringList{"A.TXT"} << QStringList{"a.txt"} << true << false
        << Problems{N};
    QTest::newRow("taken by a file renamed later")
        << QStringList{"a", "b"} << QStringList{"b", "c"} << QStringList{"a", "b"} << false << false
        << Problems{T, N};
    QTest::newRow("free after an earlier rename")
        << QStringList{"a", "b"} << QStringList{"c", "a"} << QStringList{"a", "b"} << false << false
        << Problems{N, N};
    QTest::newRow("swap: the first is refused, so the second is too")
        << QStringList{"a", "b"} << QStringList{"b", "a"} << QStringList{"a", "b"} << false << false
        << Problems{T, T};
    QTest::newRow("taken by a file not listed")
        << QStringList{"a"} << QStringList{"z"} << QStringList{"a", "z"} << false << false
        << Problems{T};
    QTest::newRow("taken by an unlisted file, case ignored")
        << QStringList{"a"} << QStringList{"Z"} << QStringList{"a", "z"} << true << false
        << Problems{T};
    QTest::newRow("windows refuses more")
        << QStringList{"a", "b", "c", "d"} << QStringList{"x:y", "q?", "end.", "ok"}
        << QStringList{} << true << true << Problems{I, I, I, N};
    // Which names each file system refuses: the table of tests/names.
    QTest::newRow("greek case folding")
        << QStringList{"a", "b"}
        << QStringList{QString::fromUtf8("ΣΟΦΙΑ"), QString::fromUtf8("σοφια")} << QStringList{}
        << true << false << Problems{D, D};
}

void TestNameConflicts::check()
{
    QFETCH(QStringList, current);
    QFETCH(QStringList, proposed);
    QFETCH(QStringList, folder);
    QFETCH(bool, ignoreCase);
    QFETCH(bool, windowsNames);
    QFETCH(Problems, expected);
    const NameRules rules = windowsNames ? NameRules::Windows() : NameRules::Posix(ignoreCase);
    QCOMPARE(CheckProposedNames(current, proposed, folder, rules), expected);
    for (const NameProblem problem : expected)
        QCOMPARE(DescribeNameProblem(problem).isEmpty(), problem == NameProblem::None);
}

void TestNameConflicts::forecast_data()
{
    // Fates: R renamed, S refused after a row renamed to the same name, L held by a file
    // renamed later, K held by a file that keeps its name, U held by an unlisted file.
    QTest::addColumn<QStringList>("current");
    QTest::addColumn<QStringList>("proposed");
    QTest::addColumn<QStringList>("folder");
    QTest::addColumn<QString>("fates");
    QTest::addColumn<QList<int>>("others");
    QTest::addColumn<Problems>("marks");

    const auto N = NameProblem::None;
    const auto D = NameProblem::Duplicate;
    const auto T = NameProblem::Taken;
    QTest::newRow("same name twice: the later is refused")
        << QStringList{"a", "b", "c"} << QStringList{"x", "x", "y"} << QStringList{"a", "b", "c"}
        << "RSR" << QList<int>{1, 0, -1} << Problems{D, D, N};
    QTest::newRow("same name twice: the earlier is refused while still held")
        << QStringList{"1", "2", "3"} << QStringList{"2", "x", "2"} << QStringList{"1", "2", "3"}
        << "LRR" << QList<int>{1, -1, 0} << Problems{D, N, D};
    QTest::newRow("held by a file whose own rename is refused")
        << QStringList{"b", "a"} << QStringList{"z", "b"} << QStringList{"a", "b", "z"} << "UK"
        << QList<int>{-1, 0} << Problems{T, T};
    QTest::newRow("held by a file that keeps its name")
        << QStringList{"b", "a"} << QStringList{"b", "b"} << QStringList{"a", "b"} << "RK"
        << QList<int>{1, 0} << Problems{D, D};
    QTest::newRow("swap") << QStringList{"a", "b"} << QStringList{"b", "a"} << QStringList{"a", "b"}
                          << "LK" << QList<int>{1, 0} << Problems{T, T};
}

void TestNameConflicts::forecast()
{
    QFETCH(QStringList, current);
    QFETCH(QStringList, proposed);
    QFETCH(QStringList, folder);
    QFETCH(QString, fates);
    QFETCH(QList<int>, others);
    QFETCH(Problems, marks);
    using Fate = RenameForecast::Fate;
    const QHash<QChar, Fate> fateOf{{u'R', Fate::Renamed},
                                    {u'S', Fate::AfterSame},
                                    {u'L', Fate::HeldLater},
                                    {u'K', Fate::HeldKept},
                                    {u'U', Fate::Unlisted}};
    const QList<RenameForecast> forecasts =
        ForecastRenames(current, proposed, folder, NameRules::Posix());
    QCOMPARE(forecasts.size(), current.size());
    for (qsizetype i = 0; i < forecasts.size(); ++i) {
        QCOMPARE(forecasts[i].fate, fateOf.value(fates[i]));
        QCOMPARE(forecasts[i].nOther, others[i]);
        QCOMPARE(forecasts[i].problem, marks[i]);
        // The text names the other file by its row, and is there exactly for marked rows.
        const QString text = DescribeForecast(forecasts, i, current, proposed);
        QCOMPARE(text.isEmpty(), marks[i] == NameProblem::None);
        if (others[i] >= 0)
            QVERIFY2(text.contains(QString("(row %1)").arg(others[i] + 1)), qPrintable(text));
    }
}

void TestNameConflicts::refusedNameTooltip_data()
{
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<bool>("windowsNames");
    QTest::addColumn<QString>("named"); // the rule, as the tooltip must give it

    const QString e300 = QString(300, QChar(0xe9)); // 300 characters, 600 UTF-8 bytes
    QTest::newRow("ext4: bytes against the limit in bytes")
        << e300 << false << "it is 600 bytes long, and this file system takes at most 255 bytes";
    QTest::newRow("FAT: characters against the limit in characters")
        << e300 << true
        << "it is 300 characters long, and this file system takes at most 255 characters";
    QTest::newRow("which character") << "a?b:c" << true << "it holds \"?\"";
    QTest::newRow("a control character") << "a\tb" << true << "the control character U+0009";
    QTest::newRow("a colon is a character like others on ext4")
        << "a:b/c" << false << "it holds \"/\", which separates folders";
    QTest::newRow("which device name") << "Com1 .log" << true << "\"Com1\" is a device name";
    QTest::newRow("a space at the end") << "x " << true << "it ends in a space";
}

// The tooltip of a refused name names the rule it breaks, measured as the folder's file
// system measures it.
void TestNameConflicts::refusedNameTooltip()
{
    QFETCH(QString, proposed);
    QFETCH(bool, windowsNames);
    QFETCH(QString, named);
    const NameRules rules = windowsNames ? NameRules::Windows() : NameRules::Posix();
    const QStringList current{"a.txt"};
    const QList<RenameForecast> forecasts = ForecastRenames(current, {proposed}, current, rules);
    QCOMPARE(forecasts.value(0).problem, NameProblem::Invalid);
    const QString text = DescribeForecast(forecasts, 0, current, {proposed});
    QVERIFY2(text.contains(named), qPrintable(text));
}

void TestNameConflicts::largeLists()
{
    // Enough names for the work to be shared out over threads: the first and the last
    // file get the same proposal, and file 1 wants the name file 40000 still has.
    QStringList current;
    QStringList proposed;
    for (int i = 0; i < 50000; ++i) {
        current.append(QString("f%1").arg(i));
        proposed.append(QString("g%1").arg(i));
    }
    proposed.last() = proposed.first();
    proposed[1] = current[40000];
    const Problems problems = CheckProposedNames(current, proposed, current, NameRules::Posix());
    QCOMPARE(problems.first(), NameProblem::Duplicate);
    QCOMPARE(problems.last(), NameProblem::Duplicate);
    QCOMPARE(problems[1], NameProblem::Taken);
    QCOMPARE(problems.count(NameProblem::None), 50000 - 3);
}

void TestNameConflicts::forecasterKeptBetweenChecks_data()
{
    QTest::addColumn<bool>("ignoreCase");
    QTest::newRow("case kept") << false;
    QTest::newRow("case ignored") << true;
}

void TestNameConflicts::forecasterKeptBetweenChecks()
{
    // One forecaster for one list, checking one set of proposals after another as the
    // window does while the user types: each check must equal a fresh check of the built
    // proposals, whatever the checks before it left in the tables, and must leave the
    // lists it shares with the window as they are.
    QFETCH(bool, ignoreCase);
    const NameRules rules = NameRules::Posix(ignoreCase);
    QStringList current;
    for (int i = 1; i <= 50000; ++i)
        current.append(QString("f%1.txt").arg(i));
    QStringList folder = current;
    folder.append({"Photo 7.txt", "F3.TXT"}); // not listed
    RenameForecaster forecaster(current, folder, rules);

    const auto settingsOf = [&](const QString& strTemplate, const QString& strStart, int nCase) {
        RenameSettings settings;
        settings.bUseTemplate = !strTemplate.isEmpty();
        settings.strTemplate = strTemplate;
        settings.strStartAt = strStart;
        settings.nCaseMode = nCase;
        return settings;
    };
    const QList<RenameSettings> typed{
        settingsOf("f#", "2", CaseMode::NoChange),      // each name held by a later row
        settingsOf("Photo #", "1", CaseMode::NoChange), // one held by an unlisted file
        settingsOf("Photo", "1", CaseMode::NoChange),   // every name the same
        settingsOf({}, "1", CaseMode::AllUpper),        // case only, and "F3.TXT"
        settingsOf("f#", "0", CaseMode::NameUpper),     settingsOf("f#", "2", CaseMode::NoChange),
    };
    for (const RenameSettings& settings : typed) {
        const NameProposer proposer(settings);
        const QStringList proposed = BuildNewNames(proposer, current);
        const QList<RenameForecast> fresh = ForecastRenames(current, proposed, folder, rules);
        const QList<RenameForecast> kept = forecaster.Forecast(proposer);
        QCOMPARE(kept.size(), fresh.size());
        for (qsizetype i = 0; i < fresh.size(); ++i) {
            QCOMPARE(kept[i].fate, fresh[i].fate);
            QCOMPARE(kept[i].problem, fresh[i].problem);
            QCOMPARE(kept[i].nOther, fresh[i].nOther);
        }
        // A check given up half-way leaves nothing behind for the next one.
        QVERIFY(forecaster.Forecast(proposer, [] { return true; }).isEmpty());
    }
    QVERIFY(forecaster.IsFor(current, folder, rules));
}

QTEST_APPLESS_MAIN(TestNameConflicts)
#include "tst_name_conflicts.moc"
