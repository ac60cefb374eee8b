// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <memory>

namespace quillet
{

// A drive as the drive selector offers it. text is the selector's name for it, the text
// the "no disk" message shows; root is the folder the drive starts at.
// Windows: text "c:", root "c:/". POSIX: a mount point, text and root both its path
// ("/", "/media/usb").
struct Drive {
    QString text;
    QString root;
    bool operator==(const Drive& other) const { return text == other.text && root == other.root; }
};

// Where the drives come from; tests replace it.
class DriveProvider
{
public:
    virtual ~DriveProvider() = default;
    // The drives to offer, read afresh on every call.
    virtual QList<Drive> Drives() const = 0;
    // Whether the drive holds a medium and can be entered now.
    virtual bool IsReady(const Drive& drive) const = 0;
};

// The system's drives. Windows: the logical drives, ready when the volume answers.
// POSIX: the file-system root and the mounted volumes a user would pick, from the mount
// table; ready while the volume is still mounted and its root is a folder.
std::unique_ptr<DriveProvider> CreateSystemDriveProvider();

} // namespace quillet
