// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Writing test files and reading a folder back, for tests that rename real files.

#include <QDir>
#include <QFile>
#include <QStringList>

namespace quillet::test
{

// Writes bytes to path; executable makes the file runnable by its owner.
inline bool WriteFile(const QString& path, const QByteArray& bytes, bool executable = false)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    return !executable ||
           file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Every file of the folder, hidden ones included, as "name=content", sorted by name.
inline QStringList Contents(const QString& folder)
{
    QStringList out;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        QFile file(dir.filePath(name));
        file.open(QIODevice::ReadOnly);
        out.append(name + '=' + QString::fromUtf8(file.readAll()));
    }
    return out;
}

} // namespace quillet::test
