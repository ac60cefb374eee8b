// SPDX-License-Identifier: GPL-3.0-or-later
#include "source/drive_change.h"

#include "names/file_name_bytes.h"
#include "names/folder_rules.h"

#include <QCoreApplication>

#include <QFileInfo>

namespace quillet
{

namespace
{

bool LiesUnder(const QString& strFolder, const QString& strRoot)
{
    const Qt::CaseSensitivity PathCase = PathCaseSensitivity();
    if (strFolder.compare(strRoot, PathCase) == 0)
        return true;
    if (strRoot.endsWith(QLatin1Char('/')))
        return strFolder.startsWith(strRoot, PathCase);
    return strFolder.size() > strRoot.size() && strFolder.at(strRoot.size()) == QLatin1Char('/') &&
           strFolder.startsWith(strRoot, PathCase);
}

} // namespace

QString NoDiskMessage(const QString& strDrive)
{
    return QCoreApplication::translate("FileSource", "No Disk was found on drive %1").arg(strDrive);
}

DriveFolders::DriveFolders(QList<Drive> drives) : m_drives(std::move(drives)) {}

void DriveFolders::SetDrives(QList<Drive> drives)
{
    m_drives = std::move(drives);
}

qsizetype DriveFolders::DriveIndexOf(const QString& strFolder) const
{
    qsizetype nBest = -1;
    for (qsizetype i = 0; i < m_drives.size(); ++i) {
        const QString& root = m_drives.at(i).root;
        if (LiesUnder(strFolder, root) &&
            (nBest < 0 || root.size() > m_drives.at(nBest).root.size()))
            nBest = i;
    }
    return nBest;
}

void DriveFolders::NoteFolder(const QString& strFolder)
{
    const qsizetype nDrive = DriveIndexOf(strFolder);
    if (nDrive >= 0)
        m_lastFolder.insert(m_drives.at(nDrive).root, strFolder);
}

QString DriveFolders::CurrentFolder(qsizetype nDrive) const
{
    if (nDrive < 0 || nDrive >= m_drives.size())
        return QString();
    const QString& root = m_drives.at(nDrive).root;
    const QString last = m_lastFolder.value(root);
    return !last.isEmpty() && IsExistingFolder(last) ? last : root;
}

DriveChangeResult ChangeDrive(const DriveProvider& provider, const DriveFolders& folders,
                              qsizetype nDrive, const QString& strCurrentFolder,
                              const std::function<void(const QString&)>& showMessage)
{
    if (nDrive >= 0 && nDrive < folders.Drives().size()) {
        const Drive& drive = folders.Drives().at(nDrive);
        for (int nAttempt = 0; nAttempt < 2; ++nAttempt) {
            if (provider.IsReady(drive))
                return {true, folders.CurrentFolder(nDrive), nDrive};
            if (nAttempt == 0 && showMessage)
                showMessage(NoDiskMessage(drive.text));
        }
    }
    return {false, strCurrentFolder, folders.DriveIndexOf(strCurrentFolder)};
}

} // namespace quillet
