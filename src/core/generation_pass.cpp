// SPDX-License-Identifier: GPL-3.0-or-later
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

namespace
{

char16_t* Resized(QString& buffer, qsizetype n)
{
    buffer.resize(n);
    return reinterpret_cast<char16_t*>(buffer.data());
}

// The template's counter for nOutIndex, stepped on from the buffer's last one when that was
// for the index before (names go through the pass in list order).
const TemplateExpander::Counter& CounterIn(NameProposer::Buffer& buffer,
                                           const TemplateExpander& expander, qsizetype nOutIndex)
{
    if (buffer.counterOf == &expander && buffer.nCounterIndex + 1 == nOutIndex)
        expander.Advance(buffer.counter);
    else if (buffer.counterOf != &expander || buffer.nCounterIndex != nOutIndex)
        buffer.counter = expander.CounterFor(nOutIndex);
    buffer.counterOf = &expander;
    buffer.nCounterIndex = nOutIndex;
    return buffer.counter;
}

} // namespace

NameProposer::Buffer::Buffer()
{
    // Room for any name at once (file names have at most 255 units), so that the buffer never
    // grows. With glibc, an allocation of this size also first merges the small blocks that
    // other threads freed into this thread's heap (the names of an earlier pass): the new
    // names are then taken from merged memory rather than from one scattered freed block after
    // another, which made the pass on a pool thread up to half as slow again.
    out.reserve(512);
}

QString NameProposer::Propose(qsizetype nOutIndex, const QString& strName) const
{
    Buffer buffer;
    return Propose(nOutIndex, strName, buffer);
}

QString NameProposer::Propose(qsizetype nOutIndex, const QString& strName, Buffer& buffer) const
{
    // Made in the buffer and copied once into a new string of its size; capitalizing, the
    // case change that is done most, writes into the new string while it copies.
    if (m_nCaseMode == CaseMode::CapitalizeInitial) {
        qsizetype nNameLength = 0;
        return CapitalizeInitial(UncasedView(nOutIndex, strName, buffer, nNameLength));
    }
    const QStringView proposal = ProposeView(nOutIndex, strName, buffer);
    if (proposal.data() == strName.constData() && proposal.size() == strName.size())
        return strName;
    return proposal.toString();
}

QStringView NameProposer::ProposeView(qsizetype nOutIndex, QStringView strName,
                                      Buffer& buffer) const
{
    qsizetype nNameLength = 0;
    const QStringView s = UncasedView(nOutIndex, strName, buffer, nNameLength);
    if (m_nCaseMode < CaseMode::NameLower || m_nCaseMode > CaseMode::CapitalizeInitial)
        return s; // 0, -1 and any other value: no change
    QString& out = buffer.out;
    if (s.data() != out.constData())
        std::copy(s.utf16(), s.utf16() + s.size(), Resized(out, s.size()));
    switch (m_nCaseMode) {
    case CaseMode::NameLower:
        LowerInPlace(out, 0, nNameLength);
        break;
    case CaseMode::ExtensionLower:
        LowerInPlace(out, nNameLength, out.size());
        break;
    case CaseMode::AllLower:
        LowerInPlace(out, 0, out.size());
        break;
    case CaseMode::NameUpper:
        UpperInPlace(out, 0, nNameLength);
        break;
    case CaseMode::ExtensionUpper:
        UpperInPlace(out, nNameLength, out.size());
        break;
    case CaseMode::AllUpper:
        UpperInPlace(out, 0, out.size());
        break;
    case CaseMode::CapitalizeInitial:
        CapitalizeInitialInPlace(out);
        break;
    }
    return out;
}

QStringView NameProposer::UncasedView(qsizetype nOutIndex, QStringView strName, Buffer& buffer,
                                      qsizetype& nNameLength) const
{
    QString& out = buffer.out;
    QStringView s =
        m_nSpaceMode != 0 ? ProcessSpaceInto(strName, m_nSpaceMode, buffer.spaced) : strName;

    // The name piece runs up to and including the last dot; the rest is the extension
    // piece. A name without a dot is all extension piece.
    // (A plain scan: lastIndexOf of one character, in Qt 6.4, makes the whole check of a
    // keystroke a quarter slower.)
    nNameLength = s.size();
    while (nNameLength > 0 && s[nNameLength - 1] != u'.')
        --nNameLength;

    if (m_expander) {
        // The new name in one buffer: expansion, then dot and extension.
        const QStringView extension = s.mid(nNameLength);
        // Without a dot the template takes the whole name, which then has no dot and
        // no extension.
        const bool bHasDot = nNameLength > 0;
        const QStringView base = bHasDot ? s.left(nNameLength - 1) : s;
        const TemplateExpander::Counter& counter = CounterIn(buffer, *m_expander, nOutIndex);
        const qsizetype nExpanded = m_expander->ExpandedLength(counter, base.size());
        char16_t* dst = m_expander->WriteTo(
            Resized(out, nExpanded + (bHasDot ? 1 + extension.size() : 0)), counter, base);
        if (bHasDot) {
            *dst++ = u'.';
            std::copy(extension.utf16(), extension.utf16() + extension.size(), dst);
            nNameLength = nExpanded + 1;
        } else {
            nNameLength = nExpanded;
        }
        s = out;
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
    QString* out = proposals.data(); // detached once here; each block writes its own items
    // Large folders are shared out over the processor cores: the pass runs on every
    // keystroke and must stay quick at any number of files.
    // Each block keeps one buffer that every proposal is made in, and each new name is then
    // allocated once at its size: one allocation per changed name, the least a list of new
    // strings needs.
    ForEachChunk(n, 8192, [&](qsizetype nBegin, qsizetype nEnd) {
        NameProposer::Buffer buffer;
        for (qsizetype i = nBegin; i < nEnd; ++i)
            out[i] = proposer.Propose(i, files[i], buffer);
    });
    return proposals;
}

QString ProposeName(const RenameSettings& settings, qsizetype nOutIndex, const QString& strName)
{
    return NameProposer(settings).Propose(nOutIndex, strName);
}

} // namespace quillet
