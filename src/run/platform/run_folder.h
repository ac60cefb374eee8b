// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rename_result.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace quillet
{

class Platform;

// The folder of one run, opened once (Platform::openRunFolder) and held until destroyed:
// renames (answered as Platform::renameInFolder answers) and identities of its files, by
// bare names.
class RunFolder
{
public:
    explicit RunFolder(QString path) : m_path(std::move(path)) {}
    virtual ~RunFolder() = default;

    // The folder's path as it was opened, ending in the platform's separator. Records of the
    // run name the folder by it.
    const QString& path() const { return m_path; }

    // As Platform::renameInFolder, in this folder.
    virtual RenameResult rename(const QString& from, const QString& to) = 0;

    // As Platform::fileIdentity, of the file `name` of this folder.
    virtual std::optional<QByteArray> fileIdentity(const QString& name) const = 0;

    // The identity of the file this folder has just renamed to `name`, whose identity before
    // the rename was `before` (empty when unknown): the same where a rename leaves the
    // identity as it was, taken anew otherwise.
    virtual std::optional<QByteArray> identityAfterRename(const QByteArray& before,
                                                          const QString& name) const
    {
        Q_UNUSED(before);
        return fileIdentity(name);
    }

private:
    QString m_path;
};

// A run folder reached again by its path for every rename, where the platform cannot hold a
// folder: renames and identities go through the platform's path functions.
class PathRunFolder final : public RunFolder
{
public:
    PathRunFolder(Platform& platform, const QString& path) : RunFolder(path), m_platform(platform)
    {
    }

    RenameResult rename(const QString& from, const QString& to) override;
    std::optional<QByteArray> fileIdentity(const QString& name) const override;

private:
    Platform& m_platform;
};

// Why a run does not rename in `folder`: its path no longer leads to the folder that was
// listed. Names the folder.
QString FolderNotListedText(const QString& folder);

} // namespace quillet
