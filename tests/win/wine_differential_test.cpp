// SPDX-License-Identifier: GPL-3.0-or-later
// Seeded random rename cases run by both interpreters of the project's scripts: quillet-batch
// on one copy of a folder, Wine's cmd on another (drive q:). Each case is a folder with awkward
// names (blanks, % %% & ^ ! ( ) , ; = ' @, accents of the OEM code page) and pairs built as
// plain renames, swaps, chains, 3-cycles, changes of case only, taken targets, missing files
// and unchanged names; now and then the folder is missing altogether.
//
// On either side no file may be lost, duplicated, given a third name or touched outside its
// folder (decoy folders with the same names are the current folders of both interpreters).
// The two results must agree, except where the platforms differ on purpose: Wine's rename may
// leave a change of case alone. Names Windows would change (trailing dot or space, device
// names) are refused by the script writer and so are not generated.
//
// QUILLET_DIFF_SEED=n repeats a run; QUILLET_DIFF_CASES=n sets the number of cases.

#include "names/name_faults.h"
#include "run/batch_script.h"
#include "wine_support.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace quillet;

namespace
{

using test::EncodeOem437;
using test::ReadTree;
using test::Tree;
using Pairs = QList<QPair<QString, QString>>;

bool WriteBytes(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// One random case: a folder, its files and the pairs of the script.
struct Case {
    QString folder; // one folder name under the root of the drive
    QStringList files;
    Pairs pairs;
    bool missing = false; // the folder is not there: nothing may change
};

class CaseMaker
{
public:
    explicit CaseMaker(quint32 seed) : random_(seed) {}

    Case make(int index)
    {
        taken_.clear();
        Case c;
        c.folder = QStringLiteral("c%1 ").arg(index) + name(6);
        c.missing = random_.bounded(8) == 0;
        const int count = 3 + int(random_.bounded(6));
        for (int i = 0; i < count; ++i)
            c.files << name(10);
        QStringList free = c.files; // files no pair uses yet
        auto takeFile = [&]() { return free.takeAt(int(random_.bounded(free.size()))); };
        while (free.size() >= 3) {
            switch (random_.bounded(8)) {
            case 0: // plain rename
                c.pairs << qMakePair(takeFile(), name(10));
                break;
            case 1: { // swap: both refused
                const QString a = takeFile();
                const QString b = takeFile();
                c.pairs << qMakePair(a, b) << qMakePair(b, a);
                break;
            }
            case 2: { // chain, in working or in blocked order
                const QString a = takeFile();
                const QString b = takeFile();
                const QString to = name(10);
                if (random_.bounded(2))
                    c.pairs << qMakePair(b, to) << qMakePair(a, b);
                else
                    c.pairs << qMakePair(a, b) << qMakePair(b, to);
                break;
            }
            case 3: { // 3-cycle: all refused
                const QString a = takeFile();
                const QString b = takeFile();
                const QString d = takeFile();
                c.pairs << qMakePair(a, b) << qMakePair(b, d) << qMakePair(d, a);
                break;
            }
            case 4: { // change of case only
                const QString a = takeFile();
                const QString other = OtherCase(a);
                if (other != a)
                    c.pairs << qMakePair(a, other);
                break;
            }
            case 5: { // taken by a file no pair moves
                const QString a = takeFile();
                c.pairs << qMakePair(a, takeFile());
                break;
            }
            case 6: // a file that is not there
                c.pairs << qMakePair(name(10), name(10));
                break;
            default: { // unchanged name
                const QString a = takeFile();
                c.pairs << qMakePair(a, a);
                break;
            }
            }
        }
        return c;
    }

private:
    // A random name that no other name of the case matches, ignoring case; it never ends in a
    // dot or a blank, and is never a device name.
    QString name(int maxLength)
    {
        static const QString kAlphabet =
            QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
                           "    %%&^!(),;='@.-_") +
            QString(QChar(0x00e9)) + QChar(0x00c9) + QChar(0x00f1) + QChar(0x00d1) + QChar(0x00fc) +
            QChar(0x00dc) + QChar(0x00e7) + QChar(0x00c7);
        for (;;) {
            QString text;
            const int length = 1 + int(random_.bounded(maxLength));
            for (int i = 0; i < length; ++i)
                text += kAlphabet.at(int(random_.bounded(kAlphabet.size())));
            if (random_.bounded(3) == 0)
                text += QStringLiteral(".txt");
            if (WindowsChangesName(Utf16View(text)) || text.startsWith(QLatin1Char(' ')) ||
                text == QLatin1String(".") || text == QLatin1String(".."))
                continue;
            const QString key = text.toCaseFolded();
            if (taken_.contains(key))
                continue;
            taken_.insert(key);
            return text;
        }
    }

    // The name with the case of every letter flipped.
    static QString OtherCase(const QString& name)
    {
        QString other;
        for (QChar c : name)
            other += c.isUpper() ? c.toLower() : c.toUpper();
        return other;
    }

    QRandomGenerator random_;
    QSet<QString> taken_;
};

// Whether path lies in the folder of some case (they are all named "c<number> ...").
bool InSomeCase(const QString& path)
{
    static const QRegularExpression folder(QStringLiteral("^c\\d+ [^/]*/"));
    return folder.match(path).hasMatch();
}

// What went wrong on one side: empty when the side kept every rule.
QString CheckSide(const Case& c, const Tree& before, const Tree& after, const QString& side)
{
    const QString prefix = c.folder + QLatin1Char('/');
    QMap<QByteArray, QString> was; // content -> name in the folder, before and after
    QMap<QByteArray, QString> now;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (it.key().startsWith(prefix))
            was.insert(it.value(), it.key().mid(prefix.size()));
        else if (!InSomeCase(it.key()) && after.value(it.key()) != it.value())
            return side + QStringLiteral(": touched outside the folders: ") + it.key();
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!it.key().startsWith(prefix)) {
            if (!InSomeCase(it.key()) && before.value(it.key()) != it.value())
                return side + QStringLiteral(": touched outside the folders: ") + it.key();
            continue;
        }
        if (now.contains(it.value()))
            return side + QStringLiteral(": duplicated: ") + QString::fromUtf8(it.value());
        if (!was.contains(it.value()))
            return side + QStringLiteral(": came from elsewhere: ") + it.key();
        now.insert(it.value(), it.key().mid(prefix.size()));
    }
    for (auto it = was.cbegin(); it != was.cend(); ++it) {
        const QString& original = it.value();
        if (!now.contains(it.key()))
            return side + QStringLiteral(": lost: ") + original;
        const QString name = now.value(it.key());
        bool allowed = name == original;
        for (const auto& [from, to] : c.pairs)
            allowed = allowed || (from == original && to == name);
        if (!allowed)
            return side + QStringLiteral(": \"%1\" became \"%2\", which no pair asks for")
                              .arg(original, name);
    }
    return {};
}

} // namespace

class WineDifferentialTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void bothInterpretersAgree();

private:
    QString m_wine;
    QString m_prefix;
};

void WineDifferentialTest::initTestCase()
{
    const QString skip = test::FindWine(&m_wine, &m_prefix);
    if (!skip.isEmpty())
        QSKIP(qPrintable(skip));
}

void WineDifferentialTest::cleanupTestCase()
{
    if (!m_prefix.isEmpty())
        QFile::remove(m_prefix + QStringLiteral("/dosdevices/q:"));
}

void WineDifferentialTest::bothInterpretersAgree()
{
    bool seedGiven = false;
    const quint32 seed = quint32(qEnvironmentVariableIntValue("QUILLET_DIFF_SEED", &seedGiven));
    const quint32 used = seedGiven ? seed : QRandomGenerator::system()->generate();
    const int cases = qEnvironmentVariableIsSet("QUILLET_DIFF_CASES")
                          ? qEnvironmentVariableIntValue("QUILLET_DIFF_CASES")
                          : 40;
    qInfo("seed %u (repeat with QUILLET_DIFF_SEED=%u), %d cases", used, used, cases);

    QTemporaryDir wineRoot; // q:
    QTemporaryDir posixRoot;
    QTemporaryDir scripts;
    QVERIFY(wineRoot.isValid() && posixRoot.isValid() && scripts.isValid());
    const QString drive = m_prefix + QStringLiteral("/dosdevices/q:");
    QFile::remove(drive);
    QVERIFY(QFile::link(wineRoot.path(), drive));

    CaseMaker maker(used);
    QList<Case> all;
    QByteArray starter;
    for (int i = 0; i < cases; ++i) {
        const Case c = maker.make(i);
        all << c;
        for (const QString& root : {wineRoot.path(), posixRoot.path()}) {
            for (const QString& name : c.files) {
                const QByteArray content = QStringLiteral("%1:%2").arg(i).arg(name).toUtf8();
                if (!c.missing)
                    QVERIFY(WriteBytes(root + '/' + c.folder + '/' + name, content));
                QVERIFY(WriteBytes(root + QStringLiteral("/decoy/") + name, "decoy " + content));
            }
        }
        RenameJob job;
        for (const auto& [from, to] : c.pairs) {
            job.currentNames << from;
            job.proposedNames << to;
        }
        job.folderPath = QStringLiteral("Q:\\") + c.folder;
        const ComposedScript windows = ComposeBatchScript(job, QLatin1Char('\\'), EncodeOem437);
        job.folderPath = posixRoot.path() + QLatin1Char('/') + c.folder;
        const ComposedScript posix =
            ComposeBatchScript(job, QLatin1Char('/'), [](const QString& t) { return t.toUtf8(); });
        QVERIFY2(windows.bytes && posix.bytes, qPrintable(windows.error + posix.error));
        QString error;
        QVERIFY2(WriteScriptBytes(scripts.path() + QStringLiteral("/w%1-").arg(i), *windows.bytes,
                                  &error),
                 qPrintable(error));
        QVERIFY2(
            WriteScriptBytes(scripts.path() + QStringLiteral("/p%1-").arg(i), *posix.bytes, &error),
            qPrintable(error));
        // Each script starts with its current folders in the decoys and no error level left
        // over from the script before.
        starter += "cd /d Q:\\decoy\r\ncmd /c exit 0\r\ncall Z:" +
                   QString(scripts.path()).replace('/', '\\').toLatin1() +
                   QStringLiteral("\\w%1-rename.bat\r\n").arg(i).toLatin1();
    }
    const Tree wineBefore = ReadTree(wineRoot.path());
    const Tree posixBefore = ReadTree(posixRoot.path());
    QVERIFY(WriteBytes(scripts.path() + QStringLiteral("/start.bat"), starter));

    QProcess cmd;
    cmd.setProgram(m_wine);
    cmd.setArguments({QStringLiteral("cmd"), QStringLiteral("/c"),
                      QStringLiteral("Z:") + QString(scripts.path()).replace('/', '\\') +
                          QStringLiteral("\\start.bat")});
    cmd.setProcessChannelMode(QProcess::MergedChannels);
    cmd.start();
    QVERIFY2(cmd.waitForFinished(600000), "Wine's cmd did not finish in time");

    const QString interpreter = QCoreApplication::applicationDirPath() + "/quillet-batch";
    for (int i = 0; i < cases; ++i) {
        QProcess batch;
        batch.setWorkingDirectory(posixRoot.path() + QStringLiteral("/decoy"));
        batch.start(interpreter, {scripts.path() + QStringLiteral("/p%1-rename.bat").arg(i)});
        QVERIFY2(batch.waitForFinished(60000), "quillet-batch did not finish in time");
    }

    const Tree wineAfter = ReadTree(wineRoot.path());
    const Tree posixAfter = ReadTree(posixRoot.path());
    int caseDifferences = 0;
    int renamed = 0; // files quillet-batch gave a new name
    for (int i = 0; i < cases; ++i) {
        const Case& c = all.at(i);
        const QString where =
            QStringLiteral("seed %1, case %2 (folder \"%3\"): ").arg(used).arg(i).arg(c.folder);
        for (const auto& [side, before, after] :
             {std::make_tuple(QStringLiteral("Wine's cmd"), &wineBefore, &wineAfter),
              std::make_tuple(QStringLiteral("quillet-batch"), &posixBefore, &posixAfter)}) {
            const QString problem = CheckSide(c, *before, *after, side);
            QVERIFY2(problem.isEmpty(), qPrintable(where + problem));
        }
        // Same names on both sides, but for a change of case that Wine left alone.
        const QString prefix = c.folder + QLatin1Char('/');
        QMap<QByteArray, QString> wineNames;
        for (auto it = wineAfter.cbegin(); it != wineAfter.cend(); ++it) {
            if (it.key().startsWith(prefix))
                wineNames.insert(it.value(), it.key().mid(prefix.size()));
        }
        for (auto it = posixAfter.cbegin(); it != posixAfter.cend(); ++it) {
            if (!it.key().startsWith(prefix))
                continue;
            const QString posixName = it.key().mid(prefix.size());
            const QString wineName = wineNames.value(it.value());
            if (!posixBefore.contains(it.key()))
                ++renamed;
            if (posixName == wineName)
                continue;
            const bool caseOnly = posixName.compare(wineName, Qt::CaseInsensitive) == 0 &&
                                  c.pairs.contains(qMakePair(wineName, posixName));
            QVERIFY2(caseOnly, qPrintable(where + QStringLiteral("quillet-batch gave \"%1\", "
                                                                 "Wine's cmd \"%2\"")
                                                      .arg(posixName, wineName)));
            ++caseDifferences;
        }
    }
    qInfo("%d cases agree (%d files renamed); %d differences, all a change of case that Wine's "
          "rename left alone",
          cases, renamed, caseDifferences);
}

QTEST_GUILESS_MAIN(WineDifferentialTest)
#include "wine_differential_test.moc"
