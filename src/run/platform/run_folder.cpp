// SPDX-License-Identifier: GPL-3.0-or-later
#include "run_folder.h"

#include "platform.h"

#include <QCoreApplication>
#include <QDir>

namespace quillet
{

RenameResult PathRunFolder::rename(const QString& from, const QString& to)
{
    return m_platform.renameInFolder(path(), from, to);
}

std::optional<QByteArray> PathRunFolder::fileIdentity(const QString& name) const
{
    return m_platform.fileIdentity(path(), name);
}

QString FolderNotListedText(const QString& folder)
{
    return QCoreApplication::translate(
               "RenameRun", "The folder \"%1\" is no longer the folder that was listed: it "
                            "was moved, or replaced by another folder or a link. Nothing "
                            "more was renamed there; open the folder again.")
        .arg(QDir::toNativeSeparators(folder));
}

std::unique_ptr<RunFolder>
Platform::openRunFolder(const QString& folder, const QByteArray& expectedIdentity, QString* error)
{
    if (!expectedIdentity.isEmpty() && folderIdentity(folder) != expectedIdentity) {
        if (error)
            *error = FolderNotListedText(folder);
        return nullptr;
    }
    return std::make_unique<PathRunFolder>(*this, folder);
}

} // namespace quillet
