#include "undo_run.h"

#include "platform/platform.h"
#include "rename_run.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace quillet
{

void NoteIdentities(QList<DoneRename>& done, const Platform& platform)
{
    for (DoneRename& rename : done)
        rename.identity = platform.fileIdentity(rename.folder, rename.to).value_or(QByteArray());
}

QString UndoCaption(qsizetype count)
{
    return count > 0 ? QCoreApplication::translate("RenameRun", "Undo Last Rename (%1)")
                           .arg(FilesText(count))
                     : QCoreApplication::translate("RenameRun", "Undo Last Rename");
}

QList<DoneRename> UndoRenames(const QList<DoneRename>& done, Platform& platform,
                              RunReporter& reporter)
{
    const QString title = QCoreApplication::translate("RenameRun", "Undo Last Rename");
    MessageRequest question;
    question.text = QCoreApplication::translate(
                        "RenameRun", "Give %1 back the names they had before the last run?")
                        .arg(FilesText(done.size()));
    question.title = title;
    question.question = true;
    if (done.isEmpty() || !reporter.showMessage(question).yes)
        return done;

    const qsizetype count = done.size();
    reporter.setProgressRange(0, double(count));
    QList<DoneRename> skipped;
    QStringList details;
    QElapsedTimer sinceUpdate;
    sinceUpdate.start();
    // Last rename first, so that a chain or a swap of the run unwinds in the right order.
    for (qsizetype k = 0; k < count; ++k) {
        if (k == 0 || k + 1 == count || sinceUpdate.elapsed() >= kProgressIntervalMs) {
            reporter.setProgressValue(double(k + 1));
            reporter.keepResponsive();
            sinceUpdate.restart();
        }
        const DoneRename& rename = done.at(count - 1 - k);
        RenameOutcome back;
        const std::optional<QByteArray> now = rename.identity.isEmpty()
                                                  ? std::nullopt
                                                  : platform.fileIdentity(rename.folder, rename.to);
        if (!rename.identity.isEmpty() && now != rename.identity)
            back.error = now ? QCoreApplication::translate(
                                   "RenameRun", "another file has taken this name since the run")
                             : QCoreApplication::translate(
                                   "RenameRun", "the file is no longer there under this name");
        else
            back = platform.renameInFolder(rename.folder, rename.to, rename.from);
        if (!back.ok) {
            skipped.prepend(rename);
            details.prepend(QCoreApplication::translate("RenameRun", "\"%1\" -> \"%2\": %3")
                                .arg(rename.to, rename.from, back.error));
        }
    }
    MessageRequest closing;
    closing.title = title;
    if (skipped.isEmpty()) {
        closing.text = QCoreApplication::translate("RenameRun", "%1 got their old names back.")
                           .arg(FilesText(count));
        closing.icon = MessageIcon::Information;
    } else {
        closing.text =
            QCoreApplication::translate(
                "RenameRun", "%1 of %2 got their old names back. %3 skipped: they are no "
                             "longer where the run left them, or their old names are taken "
                             "now. The details list them.")
                .arg(count - skipped.size())
                .arg(FilesText(count))
                .arg(skipped.size());
        closing.icon = MessageIcon::Warning;
        closing.detailedText = details.join(QLatin1Char('\n'));
    }
    reporter.showMessage(closing);
    reporter.setProgressValue(0);
    return skipped;
}

} // namespace quillet
