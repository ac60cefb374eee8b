// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/format_template.h"
#include "core/start_number.h"

#include <QtTest>

using namespace quillet;

class TestFormatTemplate : public QObject
{
    Q_OBJECT

private slots:
    void expand_data();
    void expand();
    void convertStartNumber_data();
    void convertStartNumber();
    void startValueForTemplate_data();
    void startValueForTemplate();
};

void TestFormatTemplate::expand_data()
{
    QTest::addColumn<QString>("tmpl");
    QTest::addColumn<QString>("startAt");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first") << "Photo_###_*"
                           << "1" << 0 << "beach"
                           << "Photo_001_beach";
    QTest::newRow("second") << "Photo_###_*"
                            << "1" << 1 << "city"
                            << "Photo_002_city";
    QTest::newRow("tenth") << "Photo_###_*"
                           << "1" << 9 << "x"
                           << "Photo_010_x";
    QTest::newRow("four digits") << "IMG####"
                                 << "1" << 0 << "a"
                                 << "IMG0001";
    QTest::newRow("two runs") << "##_*_##"
                              << "1" << 4 << "a"
                              << "05_a_05";
    QTest::newRow("fifth # stays") << "#####"
                                   << "1" << 0 << "a"
                                   << "0001#";
    QTest::newRow("lone # stays") << "a#b##"
                                  << "1" << 2 << "x"
                                  << "a#b03";
    QTest::newRow("# and * in the name survive") << "#*"
                                                 << "1" << 0 << "a#b"
                                                 << "1a#b";
    QTest::newRow("* in the name survives") << "*_*"
                                            << "1" << 0 << "a*"
                                            << "a*_a*";
    QTest::newRow("name only") << "*"
                               << "1" << 7 << "beach"
                               << "beach";
    QTest::newRow("name twice") << "*-*"
                                << "1" << 0 << "ab"
                                << "ab-ab";
    QTest::newRow("fixed text") << "Holiday"
                                << "1" << 3 << "x"
                                << "Holiday";
    QTest::newRow("empty template") << ""
                                    << "1" << 3 << "x"
                                    << "";
    QTest::newRow("empty name") << "Photo_###_*"
                                << "1" << 0 << ""
                                << "Photo_001_";
    QTest::newRow("998") << "###"
                         << "998" << 0 << "a"
                         << "998";
    QTest::newRow("999") << "###"
                         << "998" << 1 << "a"
                         << "999";
    QTest::newRow("never cut") << "###"
                               << "998" << 2 << "a"
                               << "1000";
    QTest::newRow("9999 with ##") << "##"
                                  << "9999" << 1 << "a"
                                  << "10000";
    QTest::newRow("from zero") << "Photo_#_*"
                               << "0" << 0 << "a"
                               << "Photo_0_a";
    QTest::newRow("blanks around start") << "##"
                                         << " 7 " << 0 << "a"
                                         << "07";
    QTest::newRow("fraction rounds half to even") << "##"
                                                  << "2.5" << 0 << "a"
                                                  << "02";
    QTest::newRow("empty start counts as 0") << "##"
                                             << "" << 3 << "a"
                                             << "03";
    QTest::newRow("letters count as 0") << "##"
                                        << "abc" << 0 << "a"
                                        << "00";
    QTest::newRow("negative start") << "###"
                                    << "-5" << 0 << "a"
                                    << "-005";
    QTest::newRow("negative crosses zero") << "#"
                                           << "-1" << 2 << "a"
                                           << "1";
    QTest::newRow("huge start counts as 0") << "#"
                                            << "99999999999999999999" << 0 << "a"
                                            << "0";
    QTest::newRow("large index") << "#"
                                 << "1" << 999999 << "a"
                                 << "1000000";
    QTest::newRow("no run leaves start unread") << "*"
                                                << "junk" << 0 << "a"
                                                << "a";
}

void TestFormatTemplate::expand()
{
    QFETCH(QString, tmpl);
    QFETCH(QString, startAt);
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(FormatTemplate(tmpl, startAt, index, name), expected);
}

void TestFormatTemplate::convertStartNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // -99999: no number
    const int none = -99999;
    QTest::newRow("one") << "1" << 1;
    QTest::newRow("leading zeros") << "007" << 7;
    QTest::newRow("blanks") << "  12  " << 12;
    QTest::newRow("1.5 up") << "1.5" << 2;
    QTest::newRow("2.5 to even") << "2.5" << 2;
    QTest::newRow("3.5 to even") << "3.5" << 4;
    QTest::newRow("2.51 up") << "2.51" << 3;
    QTest::newRow("2.49 down") << "2.49" << 2;
    QTest::newRow("point only fraction") << ".6" << 1;
    QTest::newRow("trailing point") << "4." << 4;
    QTest::newRow("negative") << "-3" << -3;
    QTest::newRow("plus") << "+3" << 3;
    QTest::newRow("16-bit max") << "32767" << 32767;
    QTest::newRow("16-bit min") << "-32768" << -32768;
    QTest::newRow("rounds past max") << "32767.5" << none;
    QTest::newRow("above 16 bits") << "32768" << none;
    QTest::newRow("empty") << "" << none;
    QTest::newRow("blank") << "   " << none;
    QTest::newRow("letters") << "abc" << none;
    QTest::newRow("digits then letters") << "12a" << none;
    QTest::newRow("point alone") << "." << none;
    QTest::newRow("two points") << "1.2.3" << none;
    QTest::newRow("exponent") << "1e3" << none;
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("١٢") << none;
    QTest::newRow("very long") << QString(40, u'9') << none;
}

void TestFormatTemplate::convertStartNumber()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    const auto value = ConvertStartNumber(text);
    if (expected == -99999) {
        QVERIFY(!value.has_value());
    } else {
        QVERIFY(value.has_value());
        QCOMPARE(int(*value), expected);
    }
}

void TestFormatTemplate::startValueForTemplate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("plain") << "9999" << qint64(9999);
    QTest::newRow("beyond 16 bits") << "100000" << qint64(100000);
    QTest::newRow("fraction") << "0.5" << qint64(0);
    QTest::newRow("empty") << "" << qint64(0);
    QTest::newRow("letters") << "x1" << qint64(0);
    QTest::newRow("too large") << "10000000000000000" << qint64(0);
}

void TestFormatTemplate::startValueForTemplate()
{
    QFETCH(QString, text);
    QFETCH(qint64, expected);
    QCOMPARE(StartValueForTemplate(text), expected);
}

QTEST_APPLESS_MAIN(TestFormatTemplate)
#include "tst_format_template.moc"
