// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace quillet
{

// What became of one rename: the file `from` of `folder` now has the name `to`, or it has
// not, and why. The platform answers a rename with it (ok and reason), and the run, the
// report of a script, undo and its record keep it whole.
struct RenameResult {
    QString folder; // ends in the platform's separator
    QString from;
    QString to;
    bool ok = false;     // the file now has the name `to`
    QString reason;      // why not, in words for the user; empty when ok
    QByteArray identity; // Platform::fileIdentity of the renamed file; empty when unknown

    static RenameResult renamed(QString folder, QString from, QString to, QByteArray identity = {})
    {
        return {std::move(folder), std::move(from), std::move(to), true, {}, std::move(identity)};
    }
    static RenameResult notRenamed(QString folder, QString from, QString to, QString reason)
    {
        return {std::move(folder), std::move(from), std::move(to), false, std::move(reason), {}};
    }
    // The platform's answer, before the run adds the names.
    static RenameResult answer(bool ok, QString reason = {})
    {
        return {{}, {}, {}, ok, std::move(reason), {}};
    }
};

} // namespace quillet
