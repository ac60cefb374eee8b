// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/rename_result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

namespace quillet
{

// One rename of DoneRenames.
struct DoneRenameEntry {
    quint32 names = 0;       // the index of its names: a pair of the run, or one of its own
    quint32 identityEnd = 0; // in the block of identities; it starts where the one before ends
    quint32 folder = 0;      // among the distinct folders
};

} // namespace quillet

Q_DECLARE_TYPEINFO(quillet::DoneRenameEntry, Q_PRIMITIVE_TYPE);

namespace quillet
{

// The renames that happened, in the order they happened, kept for their undo. A run may rename
// a million files, so each one takes 12 bytes: the index of its names, the number of its folder
// among the few distinct folders, and the end of its identity in one block that holds all
// identities one after the other. A run's record shares the run's own lists of names and names
// each rename by the index of its pair; names given as texts are kept in lists of the record's
// own. No rename has a heap block of its own.
class DoneRenames
{
public:
    DoneRenames() = default;
    explicit DoneRenames(const QList<RenameResult>& renames);
    // The record of a run over these pairs (current and proposed names, index by index), which
    // appendPair() names by index.
    DoneRenames(QStringList pairFrom, QStringList pairTo);

    qsizetype size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    // Room for `count` renames and `identityBytes` of their identities, so that a run whose
    // size is known never moves its record while it goes on.
    void reserve(qsizetype count, qsizetype identityBytes = 0);
    // Gives the spare room back when a good part of it went unused, and lets go of the run's
    // lists of names when the record holds less than half of its pairs.
    void trim();
    // Whether this is the only reference to the renames (freeing it frees them).
    bool isDetached() const { return m_entries.isDetached(); }

    void append(const QString& folder, const QString& from, const QString& to,
                QByteArrayView identity);
    void append(const RenameResult& rename)
    {
        append(rename.folder, rename.from, rename.to, rename.identity);
    }
    // The rename of pair `pair` of the run's pairs.
    void appendPair(qsizetype pair, const QString& folder, QByteArrayView identity);
    // The renames that left the name as it was are dropped; the others keep their order.
    void removeUnchanged();

    const QString& folder(qsizetype i) const { return m_folders.at(m_entries.at(i).folder); }
    const QString& from(qsizetype i) const { return names(m_entries.at(i).names).first; }
    const QString& to(qsizetype i) const { return names(m_entries.at(i).names).second; }
    QByteArrayView identity(qsizetype i) const;
    // The rename i whole, as the run reported it.
    RenameResult at(qsizetype i) const;
    QList<RenameResult> toList() const;

private:
    // Entry names with this bit set index the record's own lists.
    static constexpr quint32 kOwnNames = 0x80000000u;

    quint32 folderIndex(const QString& folder);
    void appendEntry(quint32 names, const QString& folder, QByteArrayView identity);
    std::pair<const QString&, const QString&> names(quint32 names) const
    {
        if (names & kOwnNames)
            return {m_ownFrom.at(names & ~kOwnNames), m_ownTo.at(names & ~kOwnNames)};
        return {m_pairFrom.at(names), m_pairTo.at(names)};
    }

    QList<DoneRenameEntry> m_entries;
    QStringList m_pairFrom; // the run's pairs
    QStringList m_pairTo;
    QStringList m_ownFrom; // names given as texts
    QStringList m_ownTo;
    QStringList m_folders;
    QByteArray m_identities;
    quint32 m_lastFolder = 0; // the folder found last: the next rename is almost always in it
};

} // namespace quillet
