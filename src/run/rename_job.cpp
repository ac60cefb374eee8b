// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename_job.h"

#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>

namespace quillet
{

bool SameFolderAsListed(const RenameJob& job, const Platform& platform, QString* error)
{
    if (job.folderIdentity.isEmpty() ||
        platform.folderIdentity(job.folderPath) == job.folderIdentity)
        return true;
    if (error)
        *error = QCoreApplication::translate(
                     "RenameRun", "The folder \"%1\" is no longer the folder that was listed: it "
                                  "was moved, or replaced by another folder or a link. Nothing "
                                  "more was renamed there; open the folder again.")
                     .arg(QDir::toNativeSeparators(job.folderPath));
    return false;
}

} // namespace quillet
