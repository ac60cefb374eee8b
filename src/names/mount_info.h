// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace quillet
{

// One line of the system's mount table.
struct MountEntry {
    QString mountPoint;
    QString fsType;
};

// Reads the text of /proc/self/mountinfo. Lines that do not parse, and mount points whose
// name cannot be represented as text, are left out; escapes (\040 for a space) decoded.
QList<MountEntry> ParseMountInfo(const QByteArray& text);

// Reads the text of /proc/mounts (or /etc/mtab), the older form of the same table.
QList<MountEntry> ParseMounts(const QByteArray& text);

// The system's mount table: /proc/self/mountinfo, else /proc/mounts; empty without either.
QList<MountEntry> ReadMountTable();

// The mount that holds strPath (an absolute path without links), or nullptr.
const MountEntry* MountHolding(const QList<MountEntry>& mounts, const QString& strPath);

} // namespace quillet
