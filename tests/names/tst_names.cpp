// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of names: case mapping by code point, and which names each kind of file system
// takes.

#include "core/name_conflicts.h"
#include "names/case_mapping.h"
#include "names/file_name_bytes.h"
#include "names/folder_rules.h"
#include "names/name_faults.h"

#include <QtTest>

using namespace quillet;

Q_DECLARE_METATYPE(quillet::NameFault)

class TestNames : public QObject
{
    Q_OBJECT

private slots:
    void caseMapping_data();
    void caseMapping();
    void rules_data();
    void rules();
    void fileNameBytes_data();
    void fileNameBytes();
};

void TestNames::caseMapping_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("folded");
    QTest::newRow("ascii") << "Ab1.Z"
                           << "ab1.z"
                           << "AB1.Z"
                           << "ab1.z";
    QTest::newRow("accents") << QString::fromUtf8("Ça Été") << QString::fromUtf8("ça été")
                             << QString::fromUtf8("ÇA ÉTÉ") << QString::fromUtf8("ça été");
    QTest::newRow("greek, final sigma folds like sigma")
        << QString::fromUtf8("Ωμέγας") << QString::fromUtf8("ωμέγας") << QString::fromUtf8("ΩΜΈΓΑΣ")
        << QString::fromUtf8("ωμέγασ");
    QTest::newRow("deseret") << QString::fromUtf8("\U00010400\U00010428")
                             << QString::fromUtf8("\U00010428\U00010428")
                             << QString::fromUtf8("\U00010400\U00010400")
                             << QString::fromUtf8("\U00010428\U00010428");
    // Simple mapping: one character stays one character (no "SS" for the sharp s).
    QTest::newRow("sharp s") << QString::fromUtf8("ß.Txt") << QString::fromUtf8("ß.txt")
                             << QString::fromUtf8("ß.TXT") << QString::fromUtf8("ß.txt");
    QTest::newRow("lone surrogate kept")
        << QString(QChar(0xD800)) + "a" << QString(QChar(0xD800)) + "a"
        << QString(QChar(0xD800)) + "A" << QString(QChar(0xD800)) + "a";
}

void TestNames::caseMapping()
{
    QFETCH(QString, input);
    QFETCH(QString, lower);
    QFETCH(QString, upper);
    QFETCH(QString, folded);
    QCOMPARE(ToLowerText(input), lower);
    QCOMPARE(ToUpperText(input), upper);
    QCOMPARE(CaseFoldKey(input), folded);
    QVERIFY(SameNameIgnoringCase(lower, upper));

    // Converting a part leaves the rest alone, even when the part ends inside the text.
    QString part = input + input;
    LowerInPlace(part, input.size(), part.size());
    QCOMPARE(part, input + lower);
}

void TestNames::rules_data()
{
    // One row a rule and a kind of file system, by the type name the mount table shows.
    QTest::addColumn<QString>("fsType");
    QTest::addColumn<QString>("name");
    QTest::addColumn<NameFault>("fault");

    const auto E = NameFault::Empty;
    const auto D = NameFault::DotName;
    const auto S = NameFault::Separator;
    const auto F = NameFault::Forbidden;
    const auto T = NameFault::TrailingDot;
    const auto R = NameFault::ReservedName;
    const auto L = NameFault::TooLong;
    const auto N = NameFault::None;
    const QString nul = QString("a") + QChar(0);
    const QString e128 = QString(128, QChar(0xe9)); // 256 bytes, 128 units

    QTest::newRow("ext4: empty") << "ext4"
                                 << "" << E;
    QTest::newRow("ext4: dot") << "ext4"
                               << "." << D;
    QTest::newRow("ext4: dot dot") << "ext4"
                                   << ".." << D;
    QTest::newRow("ext4: slash") << "ext4"
                                 << "x/y" << S;
    QTest::newRow("ext4: NUL") << "ext4" << nul << F;
    QTest::newRow("ext4: 255 bytes") << "ext4" << QString(255, u'n') << N;
    QTest::newRow("ext4: 256 bytes") << "ext4" << QString(256, u'n') << L;
    QTest::newRow("ext4: 256 bytes in 128 units") << "ext4" << e128 << L;
    QTest::newRow("ext4: colon, backslash, trailing dot") << "ext4"
                                                          << "a:b\\c." << N;
    QTest::newRow("btrfs: device name") << "btrfs"
                                        << "con.txt" << N;
    QTest::newRow("xfs: trailing space") << "xfs"
                                         << "end " << N;
    QTest::newRow("tmpfs: colon") << "tmpfs"
                                  << "a:b.txt" << N;
    QTest::newRow("unknown: POSIX rules") << "zzfs"
                                          << "a:b." << N;
    QTest::newRow("vfat: colon") << "vfat"
                                 << "a:b.txt" << F;
    QTest::newRow("vfat: backslash") << "vfat"
                                     << "a\\b" << S;
    QTest::newRow("vfat: control character") << "vfat"
                                             << "a\tb" << F;
    QTest::newRow("vfat: 128 units") << "vfat" << e128 << N;
    QTest::newRow("vfat: 256 units") << "vfat" << QString(256, u'n') << L;
    QTest::newRow("msdos: trailing dot") << "msdos"
                                         << "name." << T;
    QTest::newRow("fusefat: question mark") << "fuse.fusefat"
                                            << "q?" << F;
    QTest::newRow("fusefat: trailing dot") << "fuse.fusefat"
                                           << "name." << T;
    QTest::newRow("exfat: trailing space") << "exfat"
                                           << "end " << T;
    QTest::newRow("ntfs3: device") << "ntfs3"
                                   << "CON" << R;
    QTest::newRow("ntfs-3g: device with extension") << "fuseblk"
                                                    << "nul.txt" << R;
    QTest::newRow("cifs: device before blanks") << "cifs"
                                                << "Com1 .log" << R;
    QTest::newRow("smb3: lpt9") << "smb3"
                                << "lpt9" << R;
    QTest::newRow("smb3: superscript digit") << "smb3" << QString::fromUtf8("COM¹") << R;
    QTest::newRow("vfat: COM0 is a name") << "vfat"
                                          << "COM0" << N;
    QTest::newRow("vfat: console is a name") << "vfat"
                                             << "console" << N;
    QTest::newRow("vfat: con-x is a name") << "vfat"
                                           << "con-x.txt" << N;
    QTest::newRow("vfat: x.con is a name") << "vfat"
                                           << "x.con" << N;
}

void TestNames::rules()
{
    QFETCH(QString, fsType);
    QFETCH(QString, name);
    QFETCH(NameFault, fault);
    const FileSystemKind kind = KindOfFileSystem(fsType);
    const NameRules rules = RulesOfKind(kind, false);
    QCOMPARE(FaultOf(rules, name), fault);
    QCOMPARE(rules.bIgnoreCase, kind == FileSystemKind::Windows);
    QCOMPARE(DescribeNameFault(fault, name, rules).isEmpty(), fault == NameFault::None);
    // The check of the marks and the rename layers ask the same rules.
    const QList<NameProblem> marks = CheckProposedNames({"a"}, {name}, {"a"}, rules);
    QCOMPARE(marks.value(0) == NameProblem::Invalid, fault != NameFault::None);
}

void TestNames::fileNameBytes_data()
{
    // Names as the file system holds them; each must come back to the same bytes, shown with
    // the bytes that are not UTF-8 as \xNN, and keep those bytes through a change of case.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("shownUpper");

    QTest::newRow("ASCII") << QByteArray("a.txt") << "a.txt"
                           << "A.TXT";
    QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9") << QString::fromUtf8("caf\xc3\xa9")
                           << QString::fromUtf8("CAF\xc3\x89");
    QTest::newRow("Latin-1 byte") << QByteArray("\xe9t\xe9.txt") << "\\xE9t\\xE9.txt"
                                  << "\\xE9T\\xE9.TXT";
    QTest::newRow("every high byte alone") << QByteArray("\x80-\xff") << "\\x80-\\xFF"
                                           << "\\x80-\\xFF";
    QTest::newRow("sequence cut short") << QByteArray("a\xe2\x82") << "a\\xE2\\x82"
                                        << "A\\xE2\\x82";
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << "\\xC0\\xAF"
                                    << "\\xC0\\xAF";
    QTest::newRow("surrogate written as UTF-8") << QByteArray("\xed\xb2\x80") << "\\xED\\xB2\\x80"
                                                << "\\xED\\xB2\\x80";
    QTest::newRow("pair whose low half looks like an escape, then a stray byte")
        << QByteArray("\xf0\x90\x82\x80\x80") << QString::fromUtf8("\xf0\x90\x82\x80") + "\\x80"
        << QString::fromUtf8("\xf0\x90\x82\x80") + "\\x80";
}

void TestNames::fileNameBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QFETCH(QString, shownUpper);

    const QString name = DecodeFileName(bytes);
    bool ok = false;
    QCOMPARE(EncodeFileName(name, &ok), bytes);
    QVERIFY(ok);
    QCOMPARE(DisplayFileName(name), shown);
    QCOMPARE(DisplayFileName(ToUpperText(name)), shownUpper);
    QCOMPARE(EncodeFileName(ToLowerText(ToUpperText(name))), EncodeFileName(ToLowerText(name)));
    QCOMPARE(FaultOf(NameRules::Posix(), name), NameFault::None);
    QCOMPARE(NameRules::Posix().FaultOf(Utf16View(QString(256, QChar(0xdce9)))),
             NameFault::TooLong);
    QCOMPARE(NameRules::Posix().FaultOf(Utf16View(QString(255, QChar(0xdce9)))), NameFault::None);
}

QTEST_GUILESS_MAIN(TestNames)
#include "tst_names.moc"
