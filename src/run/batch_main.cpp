// quillet-batch: runs a rename script ("rename.bat") written by Quillet, on systems that have
// no Windows command interpreter. Usage: quillet-batch SCRIPT, or --help, or --version.
// The script is read as UTF-8. Every failed line is reported on standard error; the exit code
// is 0 when every line succeeded, 1 when any failed, 2 when the script cannot be read.
#include "app/app_translations.h"
#include "batch_interpreter.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <cstdio>

namespace
{

void Print(const QString& text, std::FILE* stream)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

void PrintError(const QString& text)
{
    Print(text, stderr);
}

QString Usage()
{
    return QCoreApplication::translate("quillet-batch",
                                       "usage: quillet-batch SCRIPT\n"
                                       "Runs the cd and rename lines of a rename script written by "
                                       "Quillet.\nA rename never replaces an existing file.");
}

QString Options()
{
    return QCoreApplication::translate("quillet-batch",
                                       "Options:\n"
                                       "  -h, --help     show this help and exit\n"
                                       "  -v, --version  show the version and exit\n"
                                       "Exit status: 0 when every line succeeded, 1 when any "
                                       "failed, 2 when the script cannot be read.");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    quillet::InstallTranslations(app);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 2 &&
        (args.at(1) == QLatin1String("--help") || args.at(1) == QLatin1String("-h"))) {
        Print(Usage() + QLatin1Char('\n') + Options(), stdout);
        return 0;
    }
    if (args.size() == 2 &&
        (args.at(1) == QLatin1String("--version") || args.at(1) == QLatin1String("-v"))) {
        Print(QStringLiteral("quillet-batch " QUILLET_VERSION), stdout);
        return 0;
    }
    if (args.size() != 2 || args.at(1).startsWith(QLatin1Char('-'))) {
        PrintError(Usage());
        return 2;
    }
    QFile file(args.at(1));
    if (!file.open(QIODevice::ReadOnly)) {
        PrintError(
            QCoreApplication::translate("quillet-batch", "quillet-batch: cannot read \"%1\": %2")
                .arg(args.at(1), file.errorString()));
        return 2;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(file.readAll());
    if (decoder.hasError()) {
        PrintError(
            QCoreApplication::translate("quillet-batch", "quillet-batch: \"%1\" is not UTF-8 text")
                .arg(args.at(1)));
        return 2;
    }
    const std::unique_ptr<quillet::Platform> platform = quillet::CreatePlatform();
    const QString name = args.at(1);
    const quillet::BatchRunSummary summary =
        quillet::RunBatchScript(text, QDir::currentPath(), *platform, [&name](const QString& e) {
            PrintError(QStringLiteral("%1: %2").arg(name, e));
        });
    return summary.failedLines == 0 ? 0 : 1;
}
