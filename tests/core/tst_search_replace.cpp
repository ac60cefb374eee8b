// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rename_list.h"
#include "core/search_replace.h"

#include <QtTest>

using namespace quillet;

class TestSearchReplace : public QObject
{
    Q_OBJECT

private slots:
    void replaceAll_data();
    void replaceAll();
    void passKeepsOrderAndReportsProgress();
    void removeEntries_data();
    void removeEntries();
};

void TestSearchReplace::replaceAll_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replace");
    QTest::addColumn<QString>("expected");
    QTest::newRow("word") << "Summer 01.jpg"
                          << "Summer"
                          << "Winter"
                          << "Winter 01.jpg";
    QTest::newRow("case matters") << "Summer 01.jpg"
                                  << "summer"
                                  << "Winter"
                                  << "Summer 01.jpg";
    QTest::newRow("no overlap") << "aaa"
                                << "aa"
                                << "b"
                                << "ba";
    QTest::newRow("inserted text not searched") << "banana"
                                                << "a"
                                                << "aa"
                                                << "baanaanaa";
    QTest::newRow("extension") << "x.jpg"
                               << ".jpg"
                               << ".png"
                               << "x.png";
    QTest::newRow("delete") << "a_old_old.txt"
                            << "_old"
                            << ""
                            << "a.txt";
    QTest::newRow("empty search") << "abc"
                                  << ""
                                  << "x"
                                  << "abc";
    QTest::newRow("whole entry") << "abc"
                                 << "abc"
                                 << ""
                                 << "";
    QTest::newRow("unicode") << QString::fromUtf8("été.txt") << QString::fromUtf8("é") << "e"
                             << QString::fromUtf8("ete.txt");
}

void TestSearchReplace::replaceAll()
{
    QFETCH(QString, entry);
    QFETCH(QString, search);
    QFETCH(QString, replace);
    QFETCH(QString, expected);
    QCOMPARE(ReplaceAll(entry, search, replace), expected);
}

void TestSearchReplace::passKeepsOrderAndReportsProgress()
{
    QStringList entries = {"Summer 01.jpg", "x.txt", "Summer 02.jpg"};
    QList<qsizetype> progress;
    SearchAndReplace(entries, "Summer", "Winter", [&](qsizetype v) { progress.append(v); });
    QCOMPARE(entries, (QStringList{"Winter 01.jpg", "x.txt", "Winter 02.jpg"}));
    QCOMPARE(progress, (QList<qsizetype>{1, 2, 3}));

    QStringList empty;
    SearchAndReplace(empty, "a", "b", [&](qsizetype) { QFAIL("no progress on an empty list"); });
    QVERIFY(empty.isEmpty());
}

void TestSearchReplace::removeEntries_data()
{
    QTest::addColumn<QList<qsizetype>>("indexes");
    QTest::addColumn<QStringList>("remaining");
    QTest::newRow("three neighbours") << QList<qsizetype>{1, 2, 3} << QStringList{"a", "e"};
    QTest::newRow("any order, repeats") << QList<qsizetype>{4, 0, 4} << QStringList{"b", "c", "d"};
    QTest::newRow("all") << QList<qsizetype>{0, 1, 2, 3, 4} << QStringList{};
    QTest::newRow("none") << QList<qsizetype>{} << QStringList{"a", "b", "c", "d", "e"};
    QTest::newRow("out of range ignored")
        << QList<qsizetype>{-1, 9, 0} << QStringList{"b", "c", "d", "e"};
}

void TestSearchReplace::removeEntries()
{
    QFETCH(QList<qsizetype>, indexes);
    QFETCH(QStringList, remaining);
    QStringList current = {"a", "b", "c", "d", "e"};
    QStringList proposed = {"A", "B", "C", "D", "E"};
    RemoveEntries(current, proposed, indexes);
    QCOMPARE(current, remaining);
    QStringList upper;
    for (const QString& s : remaining)
        upper.append(s.toUpper());
    QCOMPARE(proposed, upper); // still paired by index
}

QTEST_APPLESS_MAIN(TestSearchReplace)
#include "tst_search_replace.moc"
