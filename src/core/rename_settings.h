// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quillet
{

// Index of the case combo box; -1 means no entry selected. Any value outside 1..7
// leaves the case unchanged.
namespace CaseMode
{
enum : int {
    NoSelection = -1,
    NoChange = 0,
    NameLower = 1,
    ExtensionLower = 2,
    AllLower = 3,
    NameUpper = 4,
    ExtensionUpper = 5,
    AllUpper = 6,
    CapitalizeInitial = 7,
};
}

// Space handling mode as the hidden label holds it: "0" no change, "1" no redundant
// spaces, "2" no spaces. Only the exact texts "1" and "2" do anything.
namespace SpaceMode
{
inline const QString NoChange = QStringLiteral("0");
inline const QString NoRedundant = QStringLiteral("1");
inline const QString NoSpace = QStringLiteral("2");
} // namespace SpaceMode

// The values one generation pass reads, taken as a plain value at the start of the pass.
struct RenameSettings {
    bool bUseTemplate = false;
    QString strTemplate;
    QString strStartAt = QStringLiteral("1");
    int nCaseMode = CaseMode::NoSelection;
    QString strSpaceMode = SpaceMode::NoChange;
    // The names the pass proposes new names for: the entries still in the old-name
    // list, in its order. The template's counter runs over these (0, 1, 2 ...).
    QStringList files;
};

} // namespace quillet
