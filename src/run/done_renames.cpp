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

DoneRenames::DoneRenames(QStringList pairFrom, QStringList pairTo)
    : m_pairFrom(std::move(pairFrom)), m_pairTo(std::move(pairTo))
{
    Q_ASSERT(m_pairFrom.size() < qsizetype(kOwnNames) && m_pairTo.size() < qsizetype(kOwnNames));
}

void DoneRenames::reserve(qsizetype count, qsizetype identityBytes)
{
    m_entries.reserve(count);
    if (m_pairFrom.isEmpty()) {
        m_ownFrom.reserve(count);
        m_ownTo.reserve(count);
    }
    if (identityBytes > 0)
        m_identities.reserve(identityBytes);
}

void DoneRenames::trim()
{
    // A record of few of its run's pairs keeps their names itself rather than all of the run's.
    if (!m_pairFrom.isEmpty() && m_entries.size() < m_pairFrom.size() / 2) {
        m_ownFrom.reserve(m_ownFrom.size() + m_entries.size());
        m_ownTo.reserve(m_ownTo.size() + m_entries.size());
        for (DoneRenameEntry& entry : m_entries) {
            if (entry.names & kOwnNames)
                continue;
            m_ownFrom.append(m_pairFrom.at(entry.names));
            m_ownTo.append(m_pairTo.at(entry.names));
            entry.names = quint32(m_ownFrom.size() - 1) | kOwnNames;
        }
        m_pairFrom = m_pairTo = QStringList();
    }
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

void DoneRenames::appendEntry(quint32 names, const QString& folder, QByteArrayView identity)
{
    // Offsets of 32 bits hold the identities of some hundred million renames, far more than a
    // folder listing holds.
    Q_ASSERT(m_identities.size() + identity.size() <= std::numeric_limits<quint32>::max());
    m_identities.append(identity);
    m_entries.append(DoneRenameEntry{names, quint32(m_identities.size()), folderIndex(folder)});
}

void DoneRenames::append(const QString& folder, const QString& from, const QString& to,
                         QByteArrayView identity)
{
    Q_ASSERT(m_ownFrom.size() < qsizetype(kOwnNames));
    m_ownFrom.append(from);
    m_ownTo.append(to);
    appendEntry(quint32(m_ownFrom.size() - 1) | kOwnNames, folder, identity);
}

void DoneRenames::appendPair(qsizetype pair, const QString& folder, QByteArrayView identity)
{
    Q_ASSERT(pair >= 0 && pair < m_pairFrom.size() && pair < m_pairTo.size());
    appendEntry(quint32(pair), folder, identity);
}

void DoneRenames::removeUnchanged()
{
    const auto unchanged = [this](const DoneRenameEntry& entry) {
        const auto [from, to] = names(entry.names);
        return from == to;
    };
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
                entries[nWrite] = entry;
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
