// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "source/drives.h"

#include <QHash>
#include <QList>
#include <QString>
#include <functional>

namespace quillet
{

// "No Disk was found on drive " followed directly by the drive's text. The window shows
// it in a message box with an OK button only, no icon and the application's default title.
QString NoDiskMessage(const QString& strDrive);

// The drives on offer and, per drive, the folder last visited on it in this run.
class DriveFolders
{
public:
    explicit DriveFolders(QList<Drive> drives = {});
    void SetDrives(QList<Drive> drives);
    const QList<Drive>& Drives() const { return m_drives; }

    // The drive a folder lies on: the drive whose root is the longest leading part of
    // the path (whole folder names only; letters ignoring case on Windows). -1 if none.
    qsizetype DriveIndexOf(const QString& strFolder) const;

    // Remembers strFolder as the current folder of its drive. The window calls it on
    // every folder change, the start folder included.
    void NoteFolder(const QString& strFolder);

    // The drive's current folder: the folder last visited on it while that is still a
    // folder, otherwise the drive's root. Empty for an index out of range.
    QString CurrentFolder(qsizetype nDrive) const;

private:
    QList<Drive> m_drives;
    QHash<QString, QString> m_lastFolder; // drive root -> folder
};

// What a drive change comes to.
struct DriveChangeResult {
    // true: the folder list moves to strFolder, and the folder change follows.
    // false: the drive could not be entered, even after the message; the folder list
    // stays on strFolder (the folder it showed before).
    bool bMoved = false;
    QString strFolder;
    // The drive the selector shows afterwards: the chosen one, or after a failure the
    // drive of the folder the list stayed on (-1 when no drive holds it).
    qsizetype nDrive = -1;
};

// The drive chosen in the selector: enters the drive's current folder when the drive is
// ready. When it is not, showMessage gets NoDiskMessage(drive text) and returns once the
// user has confirmed it; then the drive is tried once more. nDrive out of range fails
// without a message.
DriveChangeResult ChangeDrive(const DriveProvider& provider, const DriveFolders& folders,
                              qsizetype nDrive, const QString& strCurrentFolder,
                              const std::function<void(const QString&)>& showMessage);

} // namespace quillet
