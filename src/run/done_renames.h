// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/rename_result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

namespace quillet
{

// One rename of DoneRenames.
struct DoneRenameEntry {
    QString from;
    QString to;
    quint32 identityEnd = 0; // in the block of identities; it starts where the one before ends
    quint32 folder = 0;      // among the distinct folders
};

} // namespace quillet

Q_DECLARE_TYPEINFO(quillet::DoneRenameEntry, Q_RELOCATABLE_TYPE);

namespace quillet
{

// The renames that happened, in the order they happened, kept for their undo. A run may rename
// a million files, so each one takes little room: its two names (copies that share the run's
// own texts), the number of its folder among the few distinct folders, and the end of its
// identity in one block that holds all identities one after the other. No rename has a heap
// block of its own.
class DoneRenames
{
public:
    DoneRenames() = default;
    explicit DoneRenames(const QList<RenameResult>& renames);

    qsizetype size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    // Room for `count` renames and `identityBytes` of their identities, so that a run whose
    // size is known never moves its record while it goes on.
    void reserve(qsizetype count, qsizetype identityBytes = 0);
    // Gives the spare room back when a good part of it went unused.
    void trim();
    // Whether this is the only reference to the renames (freeing it frees them).
    bool isDetached() const { return m_entries.isDetached(); }

    void append(const QString& folder, const QString& from, const QString& to,
                QByteArrayView identity);
    void append(const RenameResult& rename)
    {
        append(rename.folder, rename.from, rename.to, rename.identity);
    }
    // The renames that left the name as it was are dropped; the others keep their order.
    void removeUnchanged();

    const QString& folder(qsizetype i) const { return m_folders.at(m_entries.at(i).folder); }
    const QString& from(qsizetype i) const { return m_entries.at(i).from; }
    const QString& to(qsizetype i) const { return m_entries.at(i).to; }
    QByteArrayView identity(qsizetype i) const;
    // The rename i whole, as the run reported it.
    RenameResult at(qsizetype i) const;
    QList<RenameResult> toList() const;

private:
    quint32 folderIndex(const QString& folder);

    QList<DoneRenameEntry> m_entries;
    QStringList m_folders;
    QByteArray m_identities;
    quint32 m_lastFolder = 0; // the folder found last: the next rename is almost always in it
};

} // namespace quillet
