// SPDX-License-Identifier: GPL-3.0-or-later
// The rename runs through the real window, at 32,767 and 200,000 files (and 1,000,000 with
// the argument --million; a number N: N files alone): the Shell method from the click on "&Ok" to
// its outcome known (the window's jobFinished), the API method the same way with its progress bar
// painted, and the undo of that run through "Undo Last Rename". Each beside a
// renameat2(RENAME_NOREPLACE) loop over the same pairs in the same folder, timed in the same
// rounds; the Shell method also beside quillet-batch alone on the same script. While a run goes on,
// the progress bar is asked to repaint every 10 ms: the longest gap between its paints is how long
// the window stopped answering. The resident memory at its highest during the runs is printed
// beside the idle window's and beside the names' own text.

#include "bench_util.h"
#include "run/batch_script.h"
#include "run/platform/platform.h"
#include "run/release_away.h"
#include "source/drives.h"
#include "ui/form1.h"
#include "ui/message_service.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>
#include <QtTest/QTest>

using namespace quillet;

namespace
{

constexpr int kRounds = 3;

// Answers every box at once with "OK" or "Yes", as a user who agrees.
class AgreeingMessages : public MessageService
{
public:
    using MessageService::show;
    MessageReply show(QWidget*, const MessageRequest&) override { return {}; }
};

// While a run goes on: the progress bar asked to repaint every 10 ms, the longest gap between
// its paints and the highest resident memory.
class RunWatch : public QObject
{
public:
    explicit RunWatch(QWidget* bar) : m_bar(bar)
    {
        bar->installEventFilter(this);
        m_beat.setInterval(10);
        connect(&m_beat, &QTimer::timeout, this, [this] {
            m_bar->update();
            peakMB = std::max(peakMB, bench::ResidentMB());
        });
        m_beat.start();
        m_clock.start();
        m_last = 0;
    }
    double longestGapMs = 0;
    double peakMB = 0;

    // The last stretch: from the last paint to the end of the run.
    void finish() { longestGapMs = std::max(longestGapMs, bench::ElapsedMs(m_clock) - m_last); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            const double now = bench::ElapsedMs(m_clock);
            longestGapMs = std::max(longestGapMs, now - m_last);
            m_last = now;
        }
        return false;
    }

private:
    QWidget* m_bar;
    QTimer m_beat;
    QElapsedTimer m_clock;
    double m_last;
};

// Runs the event loop until the window's job has finished; returns the milliseconds from
// act() (a click) to then, and what the watch saw.
template <typename F> double UntilJobFinished(Form1& form, F&& act, RunWatch& watch)
{
    QEventLoop loop;
    QObject::connect(&form, &Form1::jobFinished, &loop, &QEventLoop::quit);
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(600000);
    QElapsedTimer timer;
    timer.start();
    act();
    loop.exec();
    const double ms = bench::ElapsedMs(timer);
    watch.finish();
    return limit.isActive() ? ms : -1;
}

// The window on folder with the template "Photo_*" on, once its names and marks are in.
std::unique_ptr<Form1> OpenWindow(const Form1::Services& services, const QString& folder)
{
    auto form = std::make_unique<Form1>(services, folder);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        std::printf("(window not exposed)\n");
    form->Ui().Check1->click();
    form->Ui().Text4->setText(QStringLiteral("Photo_*"));
    const bool bReady = QTest::qWaitFor(
        [&] {
            return form->Ui().Command1->isEnabled() &&
                   form->Pairs().ProposedNames().value(0).startsWith(QLatin1String("Photo_"));
        },
        600000);
    if (!bReady)
        std::printf("(the window's proposals did not come)\n");
    form->WaitForMarks();
    QTest::qWait(50); // the marks' own turn of the event loop
    return form;
}

// Closes the window of a round, and gives what it freed back to the system: a user closes
// the program with the window, while the benchmark opens the next window in the same process.
void CloseWindow(std::unique_ptr<Form1>& form)
{
    form.reset();
    QThreadPool::globalInstance()->waitForDone(); // lists freed away from the window
    ReturnFreedMemory();
}

struct Figures {
    std::vector<double> floor, shell, alone, api, undo, gapShell, gapApi, gapUndo;
    double idleMB = 0, peakMB = 0, namesMB = 0;
    double peakShellMB = 0, peakApiMB = 0, peakUndoMB = 0; // the highest of each kind of run
};

void Round(int n, const Form1::Services& services, const QString& folder, Figures& f)
{
    // The floor over the pairs the window proposes, there and back.
    std::unique_ptr<Form1> form = OpenWindow(services, folder);
    QStringList current = form->Pairs().CurrentNames();
    QStringList proposed = form->Pairs().ProposedNames();
    if (current.size() != n)
        std::printf("(the window lists %lld files, not %d)\n", (long long)current.size(), n);
    f.namesMB = bench::NamesMB(current) + bench::NamesMB(proposed);
    // The idle window is the first of this size: later rounds start with what the earlier
    // runs left in the process's heap, and would flatter the ratio.
    if (f.idleMB == 0)
        f.idleMB = bench::ResidentMB();
    f.floor.push_back(bench::NoReplaceLoopMs(folder, current, proposed));
    bench::NoReplaceLoopMs(folder, proposed, current);
    // The loop's own encoded names are freed in small pieces: given back, so that the run
    // after it is not measured with them.
    ReturnFreedMemory();

    // The Shell method, then the folder back by the loop.
    form->Ui().Option1->click();
    {
        RunWatch watch(form->Ui().ProgressBar1);
        f.shell.push_back(UntilJobFinished(
            *form, [&] { form->Ui().Command1->click(); }, watch));
        f.gapShell.push_back(watch.longestGapMs);
        f.peakMB = std::max(f.peakMB, watch.peakMB);
        f.peakShellMB = std::max(f.peakShellMB, watch.peakMB);
    }
    if (bench::NoReplaceLoopMs(folder, proposed, current) < 0)
        std::printf("(the Shell method did not rename every file)\n");
    CloseWindow(form);

    // quillet-batch alone on the script the window would write.
    {
        const RenameJob job{folder, current, proposed};
        const auto script =
            ComposeBatchScript(job, services.platform->separator(), [&](const QString& text) {
                return services.platform->encodeScriptText(text);
            });
        f.alone.push_back(bench::BatchAloneMs(folder, script.bytes.value_or(QByteArray()), n));
        bench::NoReplaceLoopMs(folder, proposed, current);
    }

    // The API method and its undo, in a fresh window. The names of the first window are let
    // go, and what they took is given back: the new window makes its names on other threads,
    // which would not reuse the freed room, and the benchmark's own lists would count in the
    // window's memory.
    const QString lastName = current.last();
    current = proposed = QStringList();
    ReturnFreedMemory();
    form = OpenWindow(services, folder);
    form->Ui().Option2->click();
    {
        RunWatch watch(form->Ui().ProgressBar1);
        f.api.push_back(UntilJobFinished(
            *form, [&] { form->Ui().Command1->click(); }, watch));
        f.gapApi.push_back(watch.longestGapMs);
        f.peakMB = std::max(f.peakMB, watch.peakMB);
        f.peakApiMB = std::max(f.peakApiMB, watch.peakMB);
    }
    {
        RunWatch watch(form->Ui().ProgressBar1);
        f.undo.push_back(UntilJobFinished(
            *form, [&] { form->UndoAction()->trigger(); }, watch));
        f.gapUndo.push_back(watch.longestGapMs);
        f.peakMB = std::max(f.peakMB, watch.peakMB);
        f.peakUndoMB = std::max(f.peakUndoMB, watch.peakMB);
    }
    if (!QFile::exists(folder + '/' + lastName))
        std::printf("(the undo did not restore every file)\n");
    CloseWindow(form);
}

void BenchSize(int n, const Form1::Services& services)
{
    QTemporaryDir root(bench::BenchRoot() + "/ui-run-XXXXXX");
    const QString folder = root.path() + "/files";
    QDir().mkpath(folder);
    QStringList names;
    for (int i = 0; i < n; ++i)
        names.append(bench::PhotoName(i));
    if (!bench::MakeFiles(folder, names)) {
        std::perror("bench_ui_run: create");
        std::exit(1);
    }
    names.clear();
    std::printf("-- %d files, painted by %s\n", n, qPrintable(QGuiApplication::platformName()));
    Figures f;
    for (int round = 0; round < kRounds; ++round)
        Round(n, services, folder, f);
    const QString loop = QStringLiteral("renameat2 NOREPLACE loop");
    const bench::Figure floor = bench::Summary(f.floor);
    const double goal = n >= 1000000 ? 1.5 : 0;
    bench::Report(QStringLiteral("Shell method through the window, \"&Ok\" to outcome known, %1 "
                                 "files")
                      .arg(n),
                  bench::Summary(f.shell), loop, floor, 1.5);
    bench::Report(
        QStringLiteral("  quillet-batch alone on the same script, with its journal, %1 files")
            .arg(n),
        bench::Summary(f.alone), loop, floor, 1.2);
    bench::Report(QStringLiteral("API method through the window, \"&Ok\" to outcome known, %1 "
                                 "files")
                      .arg(n),
                  bench::Summary(f.api), loop, floor, goal > 0 ? goal : 1.3);
    bench::Report(QStringLiteral("undo through the window, to outcome known, %1 files").arg(n),
                  bench::Summary(f.undo), loop, floor, goal > 0 ? goal : 1.3);
    std::printf("  longest gap between paints of the progress bar (asked every 10 ms; goal 50): "
                "Shell %s, API %s, undo %s\n",
                qPrintable(bench::Text(bench::Summary(f.gapShell))),
                qPrintable(bench::Text(bench::Summary(f.gapApi))),
                qPrintable(bench::Text(bench::Summary(f.gapUndo))));
    std::printf("  resident memory: idle window (the first of this size) %.1f MB, highest during "
                "the runs %.1f MB (ratio "
                "%.2f, goal 1.30); the names' own text (old + new, UTF-16) %.1f MB\n",
                f.idleMB, f.peakMB, f.idleMB > 0 ? f.peakMB / f.idleMB : 0.0, f.namesMB);
    std::printf("    highest during each kind of run: Shell %.1f MB, API %.1f MB, undo %.1f MB\n",
                f.peakShellMB, f.peakApiMB, f.peakUndoMB);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ReturnLargeBlocksWhenFreed(); // as the program does
    QApplication app(argc, argv);
    // The Shell method's script goes to a private folder of this run, not the user's cache.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
    QDir().mkpath(bench::BenchRoot());
    AgreeingMessages messages;
    const auto drives = CreateSystemDriveProvider();
    const auto platform = CreatePlatform();
    const Form1::Services services{&messages, drives.get(), platform.get()};
    // "--million" adds a million files; a number runs that many files alone, for a profiler.
    QList<int> sizes{32767, 200000};
    const QStringList args = app.arguments().mid(1);
    if (args.contains(QStringLiteral("--million")))
        sizes.append(1000000);
    else if (!args.isEmpty() && args.first().toInt() > 0)
        sizes = {args.first().toInt()};
    for (const int n : sizes)
        BenchSize(n, services);
    return 0;
}
