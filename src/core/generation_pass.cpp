#include "core/generation_pass.h"

#include "core/parallel.h"
#include "core/text_transforms.h"

#include <algorithm>

namespace quillet
{

NameProposer::NameProposer(const RenameSettings& settings)
    : m_nSpaceMode(settings.strSpaceMode == SpaceMode::NoRedundant ? 1
                   : settings.strSpaceMode == SpaceMode::NoSpace   ? 2
                                                                   : 0),
      m_nCaseMode(settings.nCaseMode)
{
    if (settings.bUseTemplate)
        m_expander.emplace(settings.strTemplate, settings.strStartAt);
}

QString NameProposer::Propose(qsizetype nOutIndex, const QString& strName) const
{
    QString s = m_nSpaceMode != 0 ? ProcessSpace(strName, m_nSpaceMode) : strName;

    // The name piece runs up to and including the last dot; the rest is the extension
    // piece. A name without a dot is all extension piece.
    qsizetype nNameLength = s.lastIndexOf(u'.') + 1;

    if (m_expander) {
        // Build the new name in one buffer: expansion, then dot and extension.
        const QStringView extension = QStringView(s).mid(nNameLength);
        // Without a dot the template takes the whole name, which then has no dot and
        // no extension.
        const bool bHasDot = nNameLength > 0;
        const QStringView base = bHasDot ? QStringView(s).left(nNameLength - 1) : QStringView(s);
        const TemplateExpander::Counter counter = m_expander->CounterFor(nOutIndex);
        const qsizetype nExpanded = m_expander->ExpandedLength(counter, base.size());
        QString strOut(nExpanded + (bHasDot ? 1 + extension.size() : 0), Qt::Uninitialized);
        char16_t* dst =
            m_expander->WriteTo(reinterpret_cast<char16_t*>(strOut.data()), counter, base);
        if (bHasDot) {
            *dst++ = u'.';
            const char16_t* ext = reinterpret_cast<const char16_t*>(extension.data());
            std::copy(ext, ext + extension.size(), dst);
            nNameLength = nExpanded + 1;
        } else {
            nNameLength = nExpanded;
        }
        s = std::move(strOut);
    }

    switch (m_nCaseMode) {
    case CaseMode::NameLower:
        LowerInPlace(s, 0, nNameLength);
        break;
    case CaseMode::ExtensionLower:
        LowerInPlace(s, nNameLength, s.size());
        break;
    case CaseMode::AllLower:
        LowerInPlace(s, 0, s.size());
        break;
    case CaseMode::NameUpper:
        UpperInPlace(s, 0, nNameLength);
        break;
    case CaseMode::ExtensionUpper:
        UpperInPlace(s, nNameLength, s.size());
        break;
    case CaseMode::AllUpper:
        UpperInPlace(s, 0, s.size());
        break;
    case CaseMode::CapitalizeInitial:
        CapitalizeInitialInPlace(s);
        break;
    default:
        break; // 0, -1 and any other value: no change
    }
    return s;
}

QStringList BuildNewNames(const RenameSettings& settings)
{
    return BuildNewNames(NameProposer(settings), settings.files);
}

QStringList BuildNewNames(const NameProposer& proposer, const QStringList& files)
{
    const qsizetype n = files.size();
    QStringList proposals(n);
    QString* out = proposals.data(); // detached once here; each chunk writes its own items
    // Large folders are shared out over the processor cores: the pass runs on every
    // keystroke and must stay quick at any number of files.
    ForEachChunk(n, 8192, [&](qsizetype nBegin, qsizetype nEnd) {
        for (qsizetype i = nBegin; i < nEnd; ++i)
            out[i] = proposer.Propose(i, files[i]);
    });
    return proposals;
}

QString ProposeName(const RenameSettings& settings, qsizetype nOutIndex, const QString& strName)
{
    return NameProposer(settings).Propose(nOutIndex, strName);
}

} // namespace quillet
