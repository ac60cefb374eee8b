// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_translations.h"
#include "names/file_name_bytes.h"
#include "run/platform/platform.h"
#include "run/release_away.h"
#include "source/drives.h"
#include "ui/form1.h"
#include "ui/message_service.h"

#include <QApplication>
#include <QDir>
#include <QListView>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace
{

// For the start-up benchmark (QUILLET_BENCH_FIRST_PAINT set): prints the monotonic clock in
// nanoseconds when the names are first painted, and ends the program there.
class FirstPaintExit : public QObject
{
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            std::printf("%lld\n", static_cast<long long>(
                                      std::chrono::steady_clock::now().time_since_epoch().count()));
            std::fflush(stdout);
            std::_Exit(0);
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    quillet::ReturnLargeBlocksWhenFreed();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLET_VERSION));
    // Ties the window to its desktop entry, and with it to the menu entry and the icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLET_APP_ID));
    quillet::InstallTranslations(app);

    quillet::QtMessageService messages;
    const auto drives = quillet::CreateSystemDriveProvider();
    const auto platform = quillet::CreatePlatform();
    // The folder the program was started in, byte for byte, even when its path is not UTF-8.
    QString startFolder = quillet::CurrentFolderPath();
    if (startFolder.isEmpty())
        startFolder = QDir::currentPath();
    quillet::Form1 window({&messages, drives.get(), platform.get()}, startFolder);
    FirstPaintExit firstPaint;
    if (qEnvironmentVariableIsSet("QUILLET_BENCH_FIRST_PAINT"))
        window.Ui().lstOldFileName->viewport()->installEventFilter(&firstPaint);
    window.show();
    // Runs cut short by a kill or a crash are offered once the window is on the screen.
    QTimer::singleShot(0, &window, [&window] { window.OfferInterruptedRuns(); });
    return app.exec();
}
