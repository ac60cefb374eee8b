// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text_transforms.h"

#include <QtTest>

using namespace quillet;

class TestTextTransforms : public QObject
{
    Q_OBJECT

private slots:
    void capitalizeInitial_data();
    void capitalizeInitial();
    void processSpace_data();
    void processSpace();
};

void TestTextTransforms::capitalizeInitial_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("words") << "my FILE.TXT"
                           << "My File.txt";
    QTest::newRow("leading space") << " leading"
                                   << " Leading";
    QTest::newRow("run of spaces") << "a  b"
                                   << "A  B";
    QTest::newRow("hyphen and underscore start no word") << "x-ray_photo.JPG"
                                                         << "X-ray_photo.jpg";
    QTest::newRow("digit uses the turn") << "2ND take"
                                         << "2nd Take";
    QTest::newRow("apostrophe and bracket") << "o'NEIL (copy).doc"
                                            << "O'neil (copy).doc";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("tab is no space") << "a\tBC"
                                     << "A\tbc";
    QTest::newRow("no-break space is no space")
        << QString::fromUtf8("a\u00a0BC") << QString::fromUtf8("A\u00a0bc");
    QTest::newRow("accents") << QString::fromUtf8("éCOLE ÉTÉ") << QString::fromUtf8("École Été");
    QTest::newRow("greek") << QString::fromUtf8("αΒΓ δΕ") << QString::fromUtf8("Αβγ Δε");
    // U+10428 DESERET SMALL LETTER LONG I: one character outside the BMP.
    QTest::newRow("outside the BMP") << QString::fromUtf8("\U00010428\U00010400 x")
                                     << QString::fromUtf8("\U00010400\U00010428 X");
    QTest::newRow("sharp s keeps its length") << QString::fromUtf8("ßa") << QString::fromUtf8("ßa");
    QTest::newRow("signs beside the letters' codes") << "` {b @C [d]Z"
                                                     << "` {b @c [d]z";
    QTest::newRow("a word starts before the first accent")
        << QString::fromUtf8("new éTÉ") << QString::fromUtf8("New Été");
}

void TestTextTransforms::capitalizeInitial()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    const QString original = input;
    QCOMPARE(CapitalizeInitial(input), expected);
    QCOMPARE(input, original);
    QCOMPARE(CapitalizeInitial(input).size(), input.size());
}

void TestTextTransforms::processSpace_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("expected");
    QTest::newRow("collapse everywhere") << "  my   file .txt  " << 1 << " my file .txt ";
    QTest::newRow("single spaces stay") << "a b" << 1 << "a b";
    QTest::newRow("only spaces") << "   " << 1 << " ";
    QTest::newRow("collapse keeps tabs") << "a \t  b" << 1 << "a \t b";
    QTest::newRow("remove all") << "  my   file .txt  " << 2 << "myfile.txt";
    QTest::newRow("remove only spaces") << "   " << 2 << "";
    QTest::newRow("remove keeps tabs") << "a\t b" << 2 << "a\tb";
    QTest::newRow("empty 1") << "" << 1 << "";
    QTest::newRow("empty 2") << "" << 2 << "";
    QTest::newRow("no spaces 1") << "abc.txt" << 1 << "abc.txt";
    QTest::newRow("no spaces 2") << "abc.txt" << 2 << "abc.txt";
    QTest::newRow("other mode changes nothing") << "a  b" << 3 << "a  b";
}

void TestTextTransforms::processSpace()
{
    QFETCH(QString, input);
    QFETCH(int, mode);
    QFETCH(QString, expected);
    QCOMPARE(ProcessSpace(input, mode), expected);
}

QTEST_APPLESS_MAIN(TestTextTransforms)
#include "tst_text_transforms.moc"
