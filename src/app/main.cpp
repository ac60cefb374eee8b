// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/app_translations.h"
#include "names/file_name_bytes.h"
#include "run/platform/platform.h"
#include "source/drives.h"
#include "ui/form1.h"
#include "ui/message_service.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

int main(int argc, char* argv[])
{
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
    window.show();
    // Runs cut short by a kill or a crash are offered once the window is on the screen.
    QTimer::singleShot(0, &window, [&window] { window.OfferInterruptedRuns(); });
    return app.exec();
}
