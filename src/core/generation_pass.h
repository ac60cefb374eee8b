#pragma once

#include "core/rename_settings.h"

#include <QStringList>

namespace quillet
{

// The generation pass: one proposed name for each of settings.files, in order.
// Per name: space handling on the whole name, split after the last dot (the name piece
// keeps the dot; a name without a dot is all extension piece), the template on the name
// piece, then the case mode. A name without a dot while the template is on gets the
// template applied to its whole name, and no dot or extension.
QStringList BuildNewNames(const RenameSettings& settings);

// The proposed name for one file, as the pass computes it.
QString ProposeName(const RenameSettings& settings, qsizetype nOutIndex, const QString& strName);

} // namespace quillet
