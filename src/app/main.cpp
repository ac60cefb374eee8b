#include "run/platform/platform.h"
#include "source/drives.h"
#include "ui/form1.h"
#include "ui/message_service.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));

    quillet::QtMessageService messages;
    const auto drives = quillet::CreateSystemDriveProvider();
    const auto platform = quillet::CreatePlatform();
    quillet::Form1 window({&messages, drives.get(), platform.get()}, QDir::currentPath());
    window.show();
    return app.exec();
}
