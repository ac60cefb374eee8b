// Keystroke to preview in the window: a new template in Text4 (one pass, both list
// models updated, the visible rows repainted), beside the pass alone; and select-all plus
// Delete in the old-name column.

#include "bench_util.h"
#include "core/generation_pass.h"
#include "run/platform/platform.h"
#include "source/drives.h"
#include "ui/form1.h"
#include "ui/message_service.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QtTest/QTest>

using namespace quillet;

namespace
{

class SilentMessages : public MessageService
{
public:
    using MessageService::show;
    MessageReply show(QWidget*, const MessageRequest&) override { return {}; }
};

void MakeFiles(const QString& folder, int n)
{
    for (int i = 0; i < n; ++i) {
        QFile file(folder + QStringLiteral("/holiday photo %1.jpg").arg(i, 7, 10, QChar(u'0')));
        file.open(QIODevice::WriteOnly);
    }
}

void BenchKeystroke(int n, SilentMessages& messages, DriveProvider& drives, Platform& platform)
{
    QTemporaryDir dir;
    MakeFiles(dir.path(), n);
    Form1 form({&messages, &drives, &platform}, dir.path());
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        std::printf("(window not exposed)\n");
    form.Check1->click();

    const int repeats = n > 100000 ? 5 : 15;
    int nKey = 0;
    const double keyMs = bench::MedianMs(repeats, [&] {
        form.Text4->setText(QStringLiteral("Photo_###_*_%1").arg(++nKey));
        form.lstOldFileName->viewport()->repaint();
        form.lstNewFileName->viewport()->repaint();
    });

    RenameSettings settings;
    settings.bUseTemplate = true;
    settings.strTemplate = QStringLiteral("Photo_###_*_x");
    settings.files = form.OldNameColumn().Names();
    qsizetype sink = 0;
    const double passMs = bench::MedianMs(repeats, [&] { sink += BuildNewNames(settings).size(); });
    bench::Report(QStringLiteral("keystroke to preview, %1 files").arg(n), keyMs, "pass alone",
                  passMs);

    if (n <= 100000) {
        // Only the Delete is timed; the folder is read again between rounds.
        std::vector<double> times;
        for (int round = 0; round < 5; ++round) {
            form.OpenFolder(dir.path());
            QElapsedTimer timer;
            timer.start();
            form.lstNewFileName->selectAll();
            QTest::keyClick(form.lstNewFileName, Qt::Key_Delete);
            form.lstOldFileName->viewport()->repaint();
            form.lstNewFileName->viewport()->repaint();
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::sort(times.begin(), times.end());
        bench::Report(QStringLiteral("select all + Delete, %1 entries").arg(n),
                      times[times.size() / 2], "pass alone", passMs);
    }
    if (sink == 0)
        std::printf("(nothing)\n");
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SilentMessages messages;
    const auto drives = CreateSystemDriveProvider();
    const auto platform = CreatePlatform();
    BenchKeystroke(32767, messages, *drives, *platform);
    BenchKeystroke(1000000, messages, *drives, *platform);
    return 0;
}
