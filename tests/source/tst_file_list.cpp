// SPDX-License-Identifier: GPL-3.0-or-later
// The file list and the extension filter on real folders.
#include "names/file_name_bytes.h"
#include "source/extension_filter.h"
#include "source/file_list.h"
#include "source/name_sort.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "read_rights.h"

#include <algorithm>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

using namespace quillet;

namespace
{

void MakeFile(const QString& path)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
}

} // namespace

class TestFileList : public QObject
{
    Q_OBJECT

private slots:
    void extensionEntries_data();
    void extensionEntries();
    void matchesPattern_data();
    void matchesPattern();
    void sortIgnoringCase_data();
    void sortIgnoringCase();
    void listing_data();
    void listing();
    void symbolicLinks();
    void undecodableNameListedByItsBytes();
    void patternSelectsWithoutRereading();
    void folderChangeResetsPattern();
    void greekAndSpaces();
    void unreadableFolder();
    void removedFolder();
};

void TestFileList::extensionEntries_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("no files") << QStringList{} << QStringList{"*"};
    QTest::newRow("case variants give one entry")
        << QStringList{"a.txt", "b.TXT", "c.Txt", "d.jpg"} << QStringList{"*", "TXT", "JPG"};
    QTest::newRow("no dot gives the whole name")
        << QStringList{"README"} << QStringList{"*", "README"};
    QTest::newRow("last dot counts") << QStringList{"archive.tar.gz"} << QStringList{"*", "GZ"};
    QTest::newRow("leading dot") << QStringList{".profile"} << QStringList{"*", "PROFILE"};
    QTest::newRow("order of first occurrence, not sorted")
        << QStringList{"a.zip", "b.doc", "c.zip"} << QStringList{"*", "ZIP", "DOC"};
    QTest::newRow("an extension again after another")
        << QStringList{"a.txt", "b.txt", "c.doc", "d.TXT"} << QStringList{"*", "TXT", "DOC"};
    QTest::newRow("star extension is the all entry")
        << QStringList{"x.*", "y.a"} << QStringList{"*", "A"};
    QTest::newRow("non-ASCII keeps its length")
        << QStringList{"x.straße", "y.STRAßE", "z.ÉTÉ"} << QStringList{"*", "STRAßE", "ÉTÉ"};
}

void TestFileList::extensionEntries()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, entries);
    QCOMPARE(ExtensionEntries(names), entries);
    // Every name with a dot is selected by the entry its own extension gives.
    for (const QString& name : names) {
        if (name.contains(QLatin1Char('.')))
            QVERIFY2(MatchesPattern(name, PatternForEntry(ToUpperText(ExtensionOf(name)))),
                     qPrintable(name));
    }
}

void TestFileList::matchesPattern_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("match");
    QTest::newRow("all takes names without a dot") << "README"
                                                   << "*.*" << true;
    QTest::newRow("extension ignores case") << "a.tXt"
                                            << "*.TXT" << true;
    QTest::newRow("only the last extension") << "a.txt.bak"
                                             << "*.TXT" << false;
    QTest::newRow("longer extension") << "a.txts"
                                      << "*.TXT" << false;
    QTest::newRow("name equal to the extension") << "TXT"
                                                 << "*.TXT" << false;
    QTest::newRow("empty extension: names ending in a dot") << "foo."
                                                            << "*." << true;
    QTest::newRow("extension taken literally") << "a.b?c"
                                               << "*.B?C" << true;
    QTest::newRow("question mark is no wildcard after *.") << "a.bxc"
                                                           << "*.B?C" << false;
    QTest::newRow("sharp s keeps matching its entry") << "x.straße"
                                                      << "*.STRAßE" << true;
    QTest::newRow("other wildcard patterns") << "ABC.txt"
                                             << "a?c.*" << true;
    QTest::newRow("other wildcard patterns, no match") << "abcd.txt"
                                                       << "a?c.*" << false;
}

void TestFileList::matchesPattern()
{
    QFETCH(QString, name);
    QFETCH(QString, pattern);
    QFETCH(bool, match);
    QCOMPARE(MatchesPattern(name, pattern), match);
}

void TestFileList::sortIgnoringCase_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::newRow("shared start longer than eight characters")
        << QStringList{"holiday photo 0000010.jpg", "holiday photo 0000002.jpg",
                       "Holiday Photo 0000001.JPG", "holiday photo 000001.jpg"};
    QTest::newRow("one name the start of another")
        << QStringList{"abcdefghijk", "abc", "ABCDEFGH", "ab", "abcdefgh", "abcdefghij"};
    QTest::newRow("names equal but for case, by their exact text")
        << QStringList{"a.TXT", "A.txt", "a.txt", "A.TXT"};
    QTest::newRow("differ only after the first eight characters")
        << QStringList{"p12345678b", "P12345678A", "p12345678a", "p12345678"};
    QTest::newRow("alike past the first eight characters")
        << QStringList{"zz_0123456789_B",
                       "a",
                       "ZZ_0123456789_a",
                       "zz_0123456789_A",
                       QString::fromUtf8("zz_0123456789_é"),
                       QString::fromUtf8("zz_0123456789_É"),
                       "zz_0123456789"};
    QTest::newRow("beyond ASCII") << QStringList{
        QString::fromUtf8("été.txt"), QString::fromUtf8("Été.txt"), QString::fromUtf8("eté.txt"),
        QString::fromUtf8("σοφια"),   QString::fromUtf8("ΣΟΦΙΑ"),   QString::fromUtf8("😀B"),
        QString::fromUtf8("😀a"),      QString::fromUtf8("𐐀x"),      QString::fromUtf8("𐐨x")};
    QStringList many;
    for (int i = 0; i < 5000; ++i)
        many.append(QString("%1name %2.%3")
                        .arg(i % 3 ? "" : "A")
                        .arg((i * 7919) % 5000)
                        .arg(i % 2 ? "TXT" : "txt"));
    QTest::newRow("many, shuffled") << many;
}

void TestFileList::sortIgnoringCase()
{
    // The order of the case-folded names, and for equal ones of the exact names, whether
    // the names are moved into place or made again in sorted order.
    QFETCH(QStringList, names);
    QStringList expected = names;
    std::sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
        const int c = CaseFoldKey(a).compare(CaseFoldKey(b), Qt::CaseSensitive);
        return c != 0 ? c < 0 : a < b;
    });
    QStringList moved = names;
    SortIgnoringCase(moved, std::numeric_limits<qsizetype>::max());
    QCOMPARE(moved, expected);
    SortIgnoringCase(names, 0);
    QCOMPARE(names, expected);
}

void TestFileList::listing_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("items");

    const QStringList example{"a.txt", "b.TXT", "c.Txt", "d.jpg"};
    QTest::newRow("all") << example << "*" << example;
    QTest::newRow("TXT in any case") << example << "TXT" << QStringList{"a.txt", "b.TXT", "c.Txt"};
    QTest::newRow("JPG") << example << "JPG" << QStringList{"d.jpg"};
    QTest::newRow("README matches no name ending in .README")
        << QStringList{"README", "a.txt"} << "README" << QStringList{};
    QTest::newRow("README listed under all")
        << QStringList{"README", "a.txt"} << "*" << QStringList{"a.txt", "README"};
    QTest::newRow("GZ") << QStringList{"archive.tar.gz", "notes.tar"} << "GZ"
                        << QStringList{"archive.tar.gz"};
    QTest::newRow("sorted ignoring case")
        << QStringList{"b.txt", "C.txt", "A.txt", "B2.txt", "a1.txt"} << "*"
        << QStringList{"A.txt", "a1.txt", "b.txt", "B2.txt", "C.txt"};
    QTest::newRow("dotfiles hidden")
        << QStringList{".profile", ".hidden.txt", "shown.txt"} << "*" << QStringList{"shown.txt"};
    QTest::newRow("name ending in the extension without a dot is not selected")
        << QStringList{"atxt", "b.txt"} << "TXT" << QStringList{"b.txt"};
}

void TestFileList::listing()
{
    QFETCH(QStringList, files);
    QFETCH(QString, entry);
    QFETCH(QStringList, items);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString& name : files)
        MakeFile(dir.filePath(name));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.txt"))); // folders never listed

    FileList list;
    QString error;
    QVERIFY(list.SetPath(dir.path(), &error));
    QVERIFY(error.isEmpty());
    FillExtensionFilter(list);
    list.SetPattern(PatternForEntry(entry));
    QCOMPARE(list.Items(), items);
    QCOMPARE(list.Count(), items.size());
    QCOMPARE(list.Pattern(), PatternForEntry(entry));
}

void TestFileList::symbolicLinks()
{
#ifdef Q_OS_WIN
    QSKIP("QFile::link makes shell shortcuts on Windows, ordinary .lnk files");
#endif
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    MakeFile(dir.filePath("target.txt"));
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    QVERIFY(QFile::link(dir.filePath("target.txt"), dir.filePath("link.txt")));
    QVERIFY(QFile::link(dir.filePath("sub"), dir.filePath("folderlink")));
    QVERIFY(QFile::link(dir.filePath("missing"), dir.filePath("broken.txt")));

    FileList list;
    QVERIFY(list.SetPath(dir.path()));
    QCOMPARE(list.Items(), (QStringList{"link.txt", "target.txt"}));
}

void TestFileList::undecodableNameListedByItsBytes()
{
#ifdef Q_OS_WIN
    QSKIP("Windows file names are UTF-16; there are no undecodable bytes");
#endif
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    MakeFile(dir.filePath("good.txt"));
    MakeFile(dir.filePath("bad.txt")); // the name a mangled decoding might point to
    const QByteArray bad = QFile::encodeName(dir.path()) + "/bad\xff.txt";
    const int fd = ::open(bad.constData(), O_CREAT | O_WRONLY, 0644);
    if (fd < 0)
        QSKIP("The file system refuses names that are not UTF-8");
    ::close(fd);

    FileList list;
    QVERIFY(list.SetPath(dir.path()));
    // Listed, and apart from the name a lossy decoding would give it.
    QCOMPARE(list.Items().size(), 3);
    QVERIFY(list.Items().contains("bad.txt") && list.Items().contains("good.txt"));
    QVERIFY(list.Items().contains(DecodeFileName("bad\xff.txt")));
    QCOMPARE(list.UnrepresentableCount(), 0);
    QCOMPARE(ExtensionEntries(list.Items()), (QStringList{"*", "TXT"}));
}

void TestFileList::patternSelectsWithoutRereading()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    MakeFile(dir.filePath("a.txt"));
    MakeFile(dir.filePath("b.doc"));
    FileList list;
    QVERIFY(list.SetPath(dir.path()));
    MakeFile(dir.filePath("c.txt"));

    list.SetPattern("*.TXT");
    QCOMPARE(list.Items(), QStringList{"a.txt"});
    list.SetPattern("*.*");
    QCOMPARE(list.Items(), (QStringList{"a.txt", "b.doc"}));

    // Setting the path reads the folder afresh and keeps the pattern.
    list.SetPattern("*.TXT");
    QVERIFY(list.SetPath(dir.path()));
    QCOMPARE(list.Items(), (QStringList{"a.txt", "c.txt"}));
}

void TestFileList::folderChangeResetsPattern()
{
    QTemporaryDir first, second;
    QVERIFY(first.isValid() && second.isValid());
    MakeFile(first.filePath("a.zip"));
    MakeFile(first.filePath("b.doc"));
    MakeFile(second.filePath("x.doc"));
    MakeFile(second.filePath("y.png"));

    FileList list;
    QVERIFY(list.SetPath(first.path()));
    QCOMPARE(FillExtensionFilter(list), (QStringList{"*", "ZIP", "DOC"}));
    list.SetPattern(PatternForEntry("ZIP"));
    QCOMPARE(list.Items(), QStringList{"a.zip"});

    QVERIFY(list.SetPath(second.path()));
    QCOMPARE(FillExtensionFilter(list), (QStringList{"*", "DOC", "PNG"}));
    QCOMPARE(list.Pattern(), QStringLiteral("*.*"));
    QCOMPARE(list.Items(), (QStringList{"x.doc", "y.png"}));
}

void TestFileList::greekAndSpaces()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("Φάκελος με κενά"));
    QVERIFY(QDir().mkpath(folder));
    MakeFile(folder + QStringLiteral("/ένα αρχείο.TXT"));
    MakeFile(folder + QStringLiteral("/Ωμέγα.txt"));
    MakeFile(folder + QStringLiteral("/two  words.jpg"));

    FileList list;
    QVERIFY(list.SetPath(folder));
    QCOMPARE(list.Items(),
             (QStringList{QStringLiteral("two  words.jpg"), QStringLiteral("ένα αρχείο.TXT"),
                          QStringLiteral("Ωμέγα.txt")}));
    QCOMPARE(FillExtensionFilter(list), (QStringList{"*", "JPG", "TXT"}));
    list.SetPattern("*.TXT");
    QCOMPARE(list.Count(), 2);
}

void TestFileList::unreadableFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = dir.filePath("locked");
    QVERIFY(QDir().mkpath(folder));
    MakeFile(folder + "/a.txt");
    QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0) == 0);
    FileList list;
    QString error;
    bool bOk = false;
    {
        const WithoutReadOverride notAsRoot;
        bOk = list.SetPath(folder, &error);
    }
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    if (bOk)
        QSKIP("Running with rights that read a folder of mode 000 all the same");
    QVERIFY2(error.contains(QDir::toNativeSeparators(folder)), qPrintable(error));
    QVERIFY(list.Items().isEmpty());
    QCOMPARE(list.Path(), folder);
    QCOMPARE(FillExtensionFilter(list), QStringList{"*"});
}

void TestFileList::removedFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    MakeFile(dir.filePath("a.txt"));
    FileList list;
    QVERIFY(list.SetPath(dir.path()));
    QCOMPARE(list.Count(), 1);
    const QString path = dir.path();
    QVERIFY(dir.remove());

    QString error;
    QVERIFY(!list.SetPath(path, &error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
#ifndef Q_OS_WIN // Windows words it as the system's own "path not found"
    QVERIFY2(error.contains(qt_error_string(ENOENT)), qPrintable(error));
#endif
    QVERIFY(list.Items().isEmpty());
    QCOMPARE(list.Error(), error);
    QCOMPARE(FillExtensionFilter(list), QStringList{"*"});
}

QTEST_GUILESS_MAIN(TestFileList)
#include "tst_file_list.moc"
