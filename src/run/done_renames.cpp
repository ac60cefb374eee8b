// SPDX-License-Identifier: GPL-3.0-or-later
#include "done_renames.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace quillet
{

DoneRenames::DoneRenames(const QList<RenameResult>& renames)
{
    qsizetype identityBytes = 0;
    for (const RenameResult& rename : renames)
        identityBytes += rename.identity.size();
    reserve(renames.size(), identityBytes);
    for (const RenameResult& rename : renames)
        append(rename);
}

void DoneRenames::reserve(qsizetype count, qsizetype identityBytes)
{
    m_entries.reserve(count);
    if (identityBytes > 0)
        m_identities.reserve(identityBytes);
}

void DoneRenames::trim()
{
    if (m_entries.capacity() - m_entries.size() > m_entries.size() / 4)
        m_entries.squeeze();
    if (m_identities.capacity() - m_identities.size() > m_identities.size() / 4)
        m_identities.squeeze();
}

quint32 DoneRenames::folderIndex(const QString& folder)
{
    if (m_lastFolder < quint32(m_folders.size()) && m_folders.at(m_lastFolder) == folder)
        return m_lastFolder;
    qsizetype i = m_folders.indexOf(folder);
    if (i < 0) {
        i = m_folders.size();
        m_folders.append(folder);
    }
    m_lastFolder = quint32(i);
    return m_lastFolder;
}

void DoneRenames::append(const QString& folder, const QString& from, const QString& to,
                         QByteArrayView identity)
{
    // Offsets of 32 bits hold the identities of some hundred million renames, far more than a
    // folder listing holds.
    Q_ASSERT(m_identities.size() + identity.size() <= std::numeric_limits<quint32>::max());
    m_identities.append(identity);
    m_entries.append(DoneRenameEntry{from, to, quint32(m_identities.size()), folderIndex(folder)});
}

void DoneRenames::removeUnchanged()
{
    const auto unchanged = [](const DoneRenameEntry& entry) { return entry.from == entry.to; };
    qsizetype nRead =
        std::find_if(m_entries.cbegin(), m_entries.cend(), unchanged) - m_entries.cbegin();
    const qsizetype nCount = m_entries.size();
    if (nRead == nCount)
        return; // nothing to drop: the record stays shared where it is
    // The kept renames move up in place, and their identities with them in the block.
    DoneRenameEntry* entries = m_entries.data();
    char* bytes = m_identities.data();
    qsizetype nWrite = nRead;
    quint32 writeEnd = nRead > 0 ? entries[nRead - 1].identityEnd : 0;
    quint32 readStart = writeEnd;
    for (; nRead < nCount; ++nRead) {
        DoneRenameEntry& entry = entries[nRead];
        const quint32 readEnd = entry.identityEnd;
        if (!unchanged(entry)) {
            const quint32 length = readEnd - readStart;
            std::memmove(bytes + writeEnd, bytes + readStart, length);
            writeEnd += length;
            entry.identityEnd = writeEnd;
            if (nWrite != nRead)
                entries[nWrite] = std::move(entry);
            ++nWrite;
        }
        readStart = readEnd;
    }
    m_entries.resize(nWrite);
    m_identities.resize(writeEnd);
}

QByteArrayView DoneRenames::identity(qsizetype i) const
{
    const quint32 start = i > 0 ? m_entries.at(i - 1).identityEnd : 0;
    return QByteArrayView(m_identities.constData() + start, m_entries.at(i).identityEnd - start);
}

RenameResult DoneRenames::at(qsizetype i) const
{
    return RenameResult::renamed(folder(i), from(i), to(i), identity(i).toByteArray());
}

QList<RenameResult> DoneRenames::toList() const
{
    QList<RenameResult> renames;
    renames.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        renames.append(at(i));
    return renames;
}

} // namespace quillet
