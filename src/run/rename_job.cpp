// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename_job.h"

#include "platform/platform.h"

namespace quillet
{

bool SameFolderAsListed(const RenameJob& job, const Platform& platform, QString* error)
{
    if (job.folderIdentity.isEmpty() ||
        platform.folderIdentity(job.folderPath) == job.folderIdentity)
        return true;
    if (error)
        *error = FolderNotListedText(job.folderPath);
    return false;
}

} // namespace quillet
