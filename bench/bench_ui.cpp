// SPDX-License-Identifier: GPL-3.0-or-later
// What a user of the window sees, each figure beside a floor measured in the same run:
// - a keystroke in the template box (a key event posted to the event loop) until the visible
//   rows show the new proposals, the delayed relayout and the repaint included, beside a
//   key to a plain line edit with the same two lists repainted;
// - the conflict marks of that keystroke, beside the same check run directly;
// - resident memory after the first and after the last keystroke, beside the names' own text;
// - a pick in the extension filter to its painted rows, beside a raw listing.
// The folders are made once in a folder on the disk (QUILLET_BENCH_DIR, else the build
// folder) and kept for the next run.

#include "bench_util.h"
#include "core/generation_pass.h"
#include "core/name_conflicts.h"
#include "core/rename_forecaster.h"
#include "run/platform/platform.h"
#include "run/release_away.h"
#include "source/drives.h"
#include "ui/form1.h"
#include "ui/message_service.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTimer>
#include <QtTest/QTest>

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <strings.h>
#include <sys/vfs.h>
#include <unistd.h>

using namespace quillet;

namespace
{

class SilentMessages : public MessageService
{
public:
    using MessageService::show;
    MessageReply show(QWidget*, const MessageRequest&) override { return {}; }
};

const char* FileSystemOf(const QString& path)
{
    struct statfs fs {
    };
    if (statfs(QFile::encodeName(path).constData(), &fs) != 0)
        return "?";
    switch (fs.f_type) {
    case 0xEF53:
        return "ext4";
    case 0x01021994:
        return "tmpfs (not a disk)";
    case 0x58465342:
        return "xfs";
    case 0x9123683E:
        return "btrfs";
    default:
        return "other";
    }
}

// A key pressed and released, posted to the widget as the window system's events are, so
// that it goes through the event loop like a key of the keyboard.
void PostKey(QWidget* widget, char c)
{
    const Qt::Key key = Qt::Key(Qt::Key_A + (c - 'a'));
    QCoreApplication::postEvent(
        widget, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, QString(QLatin1Char(c))));
    QCoreApplication::postEvent(
        widget, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, QString(QLatin1Char(c))));
}

// Counts the paints of a widget.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int nPaints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++nPaints;
        return false;
    }
};

// Runs the event loop until done() holds, sleeping while there is nothing to do as the
// program's own loop does (a busy loop would take a core from the workers); false after
// 60 s.
template <typename F> bool SpinUntil(F&& done)
{
    QElapsedTimer timer;
    timer.start();
    QTimer heartbeat; // wakes the loop now and then to look at done()
    heartbeat.start(5);
    while (!done()) {
        if (timer.elapsed() > 60000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

struct Window {
    Form1& form;
    PaintCounter paints;
    int nMarkSignals = 0;

    explicit Window(Form1& f) : form(f), paints(f.Ui().lstOldFileName->viewport())
    {
        QObject::connect(&form.Pairs(), &QAbstractItemModel::dataChanged,
                         [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                             // New marks, not new names with their marks cleared.
                             if (roles.contains(Qt::ForegroundRole) &&
                                 !roles.contains(Qt::DisplayRole))
                                 ++nMarkSignals;
                         });
    }

    // Whether the top visible row of the new-name column shows what the pass gives.
    bool TopRowCurrent() const
    {
        const QModelIndex top = form.Ui().lstOldFileName->indexAt(QPoint(4, 4));
        if (!top.isValid())
            return false;
        RenameSettings settings;
        settings.bUseTemplate = form.Ui().Check1->isChecked();
        settings.strTemplate = form.Ui().Text4->text();
        settings.strStartAt = form.Ui().Text1->text();
        settings.nCaseMode = form.Ui().cboFileNameCase->currentIndex();
        settings.strSpaceMode = form.Ui().Label15->text();
        const QString expected =
            ProposeName(settings, top.row(), form.OldNameColumn().Name(top.row()));
        return top.data(Qt::DisplayRole).toString() == expected;
    }
};

void BenchFolder(int n, SilentMessages& messages, DriveProvider& drives, Platform& platform)
{
    const QString folder = bench::FolderOf(n);
    std::printf("-- %d files in %s (%s), painted by %s\n", n, qPrintable(folder),
                FileSystemOf(folder), qPrintable(QGuiApplication::platformName()));

    // The window on a warm folder (the whole process's start-up beside its floor is timed by
    // bench_ui_startup).
    const qsizetype nRaw = bench::RawListing(folder);
    const double rssBefore = bench::ResidentMB();
    QElapsedTimer startTimer;
    startTimer.start();
    Form1 form({&messages, &drives, &platform}, folder);
    Window window(form);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        std::printf("(window not exposed)\n");
    SpinUntil([&] { return window.paints.nPaints > 0; });
    std::printf("%-52s %9.2f ms (one run)\n", "  window made, shown and painted in this process",
                bench::ElapsedMs(startTimer));
    if (nRaw != form.OldNameColumn().Count())
        std::printf("(listed %lld, raw %lld)\n", (long long)form.OldNameColumn().Count(),
                    (long long)nRaw);
    const double rssStart = bench::ResidentMB();
    // The first marks follow on the worker, which also learns the names for the checks
    // of the keystrokes to come.
    SpinUntil([&] { return window.nMarkSignals > 0 || form.NewNameColumn().Forecast(); });
    const double startMarksMs = double(startTimer.nsecsElapsed()) / 1e6;
    std::printf("%-52s %9.2f ms\n", "  start-up to its conflict marks", startMarksMs);

    // The floor of a keystroke: a key to a line edit that starts nothing, and the same
    // two lists repainted.
    QLineEdit plain;
    plain.show();
    std::vector<double> floorKey;
    for (int i = 0; i < 15; ++i) {
        const int nBefore = window.paints.nPaints;
        QElapsedTimer timer;
        timer.start();
        PostKey(&plain, 'a');
        form.Ui().lstOldFileName->viewport()->update();
        form.Ui().lstNewFileName->viewport()->update();
        SpinUntil([&] { return window.paints.nPaints > nBefore; });
        floorKey.push_back(double(timer.nsecsElapsed()) / 1e6);
    }

    // The template on, then keystrokes: each timed until the visible rows show it, then
    // until its marks are in.
    form.Ui().Check1->click();
    form.Ui().Text4->setFocus();
    QTest::keyClicks(form.Ui().Text4, QStringLiteral("Photo_###_*_"));
    SpinUntil([&] { return window.TopRowCurrent(); });
    SpinUntil([&] { return form.NewNameColumn().Forecast(); });
    const int nKeys = n >= 1000000 ? 50 : 30;
    std::vector<double> keyMs, marksMs;
    double rssFirst = 0;
    for (int i = 0; i < nKeys; ++i) {
        const int nPaints = window.paints.nPaints;
        const int nMarks = window.nMarkSignals;
        QElapsedTimer timer;
        timer.start();
        PostKey(form.Ui().Text4, char('a' + i % 26));
        SpinUntil([&] { return window.paints.nPaints > nPaints && window.TopRowCurrent(); });
        keyMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        SpinUntil([&] { return window.nMarkSignals > nMarks; });
        marksMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (i == 0)
            rssFirst = bench::ResidentMB();
    }
    const double rssLast = bench::ResidentMB();

    // The floor of the marks: the same check run directly on the same lists, with what it
    // keeps between checks already built, and no window or event loop around it.
    RenameSettings settings;
    settings.bUseTemplate = true;
    settings.strTemplate = form.Ui().Text4->text();
    const QStringList current = form.OldNameColumn().Names();
    RenameForecaster forecaster(current, form.File1().AllFiles(), NameRules::Posix());
    const NameProposer proposer(settings);
    qsizetype sink = forecaster.Forecast(proposer).size();
    const bench::Figure check =
        bench::Time(n >= 1000000 ? 5 : 9, [&] { sink += forecaster.Forecast(proposer).size(); });

    bench::Report(QStringLiteral("keystroke to visible preview, %1 files").arg(n),
                  bench::Summary(keyMs), "key to a plain line edit + repaint",
                  bench::Summary(floorKey));
    std::printf("%-52s %9.2f ms   (goal %s)\n", "  slowest keystroke",
                *std::max_element(keyMs.begin(), keyMs.end()),
                n >= 1000000 ? "16"
                : n <= 32767 ? "5"
                             : "none");
    bench::Report(QStringLiteral("keystroke to its conflict marks, %1 files").arg(n),
                  bench::Summary(marksMs), "the check run directly", check);
    std::printf("%-52s %9.2f ms   (goal %s)\n", "  slowest marks",
                *std::max_element(marksMs.begin(), marksMs.end()),
                n >= 1000000 ? "300"
                : n <= 32767 ? "one frame, 16"
                             : "none");
    std::printf("%-52s %9.1f MB   after %d keys %9.1f MB   ratio %5.3f   (goal 1.05)\n",
                qPrintable(QStringLiteral("resident after the first key, %1 files").arg(n)),
                rssFirst, nKeys, rssLast, rssFirst > 0 ? rssLast / rssFirst : 0.0);
    std::printf("  resident: the process before the window %.1f MB, after start-up %.1f MB, after "
                "typing %.1f MB; the names' own text (old + new, UTF-16) %.1f MB\n",
                rssBefore, rssStart, rssLast,
                bench::NamesMB(form.Pairs().CurrentNames()) +
                    bench::NamesMB(form.Pairs().ProposedNames()));
    std::fflush(stdout);
    if (sink == 0)
        std::printf("(nothing)\n");

    // A pick in the extension filter reads the folder again: from the pick until the rows
    // shown are painted, beside a fresh raw listing of the same folder.
    std::vector<double> pickMs;
    std::vector<double> listingMs;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer listing;
        listing.start();
        bench::RawListing(folder);
        listingMs.push_back(double(listing.nsecsElapsed()) / 1e6);
        const int nBefore = window.paints.nPaints;
        QElapsedTimer pick;
        pick.start();
        form.Ui().Combo1->setCurrentIndex(0); // "*": every file
        emit form.Ui().Combo1->activated(0);
        SpinUntil([&] { return window.paints.nPaints > nBefore; });
        pickMs.push_back(double(pick.nsecsElapsed()) / 1e6);
    }
    bench::Report(QStringLiteral("filter pick to painted rows, %1 files").arg(n),
                  bench::Summary(pickMs), "readdir + strcasecmp sort", bench::Summary(listingMs));
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ReturnLargeBlocksWhenFreed(); // as the program does
    QApplication app(argc, argv);
    SilentMessages messages;
    const auto drives = CreateSystemDriveProvider();
    const auto platform = CreatePlatform();
    const QStringList args = app.arguments().mid(1);
    const QList<int> sizes =
        args.isEmpty() ? QList<int>{32767, 100000, 1000000} : QList<int>{args.value(0).toInt()};
    for (const int n : sizes)
        BenchFolder(n, messages, *drives, *platform);
    return 0;
}
