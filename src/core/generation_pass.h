// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/format_template.h"
#include "core/rename_settings.h"

#include <QStringList>
#include <optional>

namespace quillet
{

// The generation pass: one proposed name for each of settings.files, in order.
// Per name: space handling on the whole name, split after the last dot (the name piece
// keeps the dot; a name without a dot is all extension piece), the template on the name
// piece, then the case mode. A name without a dot while the template is on gets the
// template applied to its whole name, and no dot or extension.
QStringList BuildNewNames(const RenameSettings& settings);

// The settings of one pass, read once (settings.files is not kept). Each proposal
// depends only on its own name and its index in the list (the template's counter), so
// any one of them can be computed alone, on any thread, and equals what the pass gives.
class NameProposer
{
public:
    explicit NameProposer(const RenameSettings& settings);

    QString Propose(qsizetype nOutIndex, const QString& strName) const;

    // Where ProposeView writes: kept by the caller and reused, so that proposing name after
    // name allocates nothing once the buffers are large enough.
    // It also keeps the template's counter for the last index, which the next index in list
    // order only has to step on from.
    struct Buffer {
        Buffer();
        QString spaced;
        QString out;
        TemplateExpander::Counter counter;
        const TemplateExpander* counterOf = nullptr;
        qsizetype nCounterIndex = -1;
    };
    // The proposal, as a view of strName itself or of buffer, valid until buffer is used
    // again.
    QStringView ProposeView(qsizetype nOutIndex, QStringView strName, Buffer& buffer) const;
    // The proposal as a string of its own (strName itself when unchanged), allocated once at
    // its size.
    QString Propose(qsizetype nOutIndex, const QString& strName, Buffer& buffer) const;

private:
    // The proposal before its case change: space handling and template. nNameLength is set
    // to the length of its name piece (up to and including the last dot).
    QStringView UncasedView(qsizetype nOutIndex, QStringView strName, Buffer& buffer,
                            qsizetype& nNameLength) const;

    int m_nSpaceMode;
    int m_nCaseMode;
    std::optional<TemplateExpander> m_expander;
};

// The pass over files with settings already read.
QStringList BuildNewNames(const NameProposer& proposer, const QStringList& files);

// The proposed name for one file, as the pass computes it.
QString ProposeName(const RenameSettings& settings, qsizetype nOutIndex, const QString& strName);

} // namespace quillet
