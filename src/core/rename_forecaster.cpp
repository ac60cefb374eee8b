// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rename_forecaster.h"

#include "core/parallel.h"
#include "names/case_mapping.h"
#include "names/name_faults.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace quillet
{

namespace
{

// Names are compared through 64-bit hashes of their comparison form, kept in a flat
// open-addressing table: one pass over the lists, no allocation per name. Two different
// names with the same hash would at worst draw a false warning; at 64 bits that does not
// happen in practice.
// A fast 64-bit hash of UTF-16 text: eight bytes at a time, multiply and fold.
quint64 Hash64(QStringView text)
{
    constexpr quint64 kMul = 0x9e3779b97f4a7c15ULL;
    const auto mix = [](quint64 h, quint64 v) {
        h ^= v * kMul;
        h = (h << 29) | (h >> 35);
        return h * 0xbf58476d1ce4e5b9ULL;
    };
    const char* bytes = reinterpret_cast<const char*>(text.data());
    size_t nBytes = size_t(text.size()) * 2;
    quint64 h = quint64(nBytes) * kMul;
    while (nBytes >= 8) {
        quint64 v;
        std::memcpy(&v, bytes, 8);
        h = mix(h, v);
        bytes += 8;
        nBytes -= 8;
    }
    if (nBytes > 0) {
        quint64 v = 0;
        std::memcpy(&v, bytes, nBytes);
        h = mix(h, v);
    }
    h ^= h >> 31;
    return h * kMul;
}

class NameHasher
{
public:
    explicit NameHasher(bool bIgnoreCase) : m_bIgnoreCase(bIgnoreCase) {}

    quint64 operator()(QStringView name)
    {
        // Names that differ only in case hash alike where the file system ignores case.
        const QStringView key = m_bIgnoreCase ? CaseFoldedInto(name, m_buffer) : name;
        const quint64 h = Hash64(key);
        return h == 0 ? 1 : h; // 0 marks an empty slot
    }

private:
    bool m_bIgnoreCase;
    std::u16string m_buffer;
};

// Rows between two looks at whether the check is still wanted.
constexpr qsizetype kCancelStride = 4096;
// Below this many names a phase runs on the calling thread alone.
constexpr qsizetype kParallelMinimum = 8192;
// The check of each keystroke runs on one thread below this many names, where it takes a
// few milliseconds anyway: the window's thread keeps a core to paint the keystroke.
constexpr qsizetype kParallelCheckMinimum = 131072;
// How far ahead of its use a table slot is fetched: the table is far larger than the
// caches for big folders, and this keeps several lookups in flight at once.
constexpr size_t kAhead = 16;

inline void Prefetch(const void* p)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(p);
#else
    Q_UNUSED(p);
#endif
}

} // namespace

RenameForecaster::RenameForecaster(QStringList currentNames, QStringList folderFiles,
                                   NameRules rules)
    : m_currentNames(std::move(currentNames)), m_folderFiles(std::move(folderFiles)), m_rules(rules)
{
}

bool RenameForecaster::IsFor(const QStringList& currentNames, const QStringList& folderFiles,
                             const NameRules& rules) const
{
    // The lists are held here, so their data cannot have been freed and reused meanwhile.
    return currentNames.constData() == m_currentNames.constData() &&
           currentNames.size() == m_currentNames.size() &&
           folderFiles.constData() == m_folderFiles.constData() &&
           folderFiles.size() == m_folderFiles.size() && rules == m_rules;
}

void RenameForecaster::EnsureKeys()
{
    if (m_bKeys)
        return;
    m_bKeys = true;
    const qsizetype n = m_currentNames.size();
    // Nothing to add when the folder's files are the listed names themselves (the same
    // shared list: all files listed, none removed).
    const bool bSameList =
        m_folderFiles.size() == n && m_folderFiles.constData() == m_currentNames.constData();
    const qsizetype nFolder = bSameList ? 0 : m_folderFiles.size();
    m_currentKeys.resize(size_t(n));
    m_folderKeys.resize(size_t(nFolder));
    ForEachChunk(n, kParallelMinimum, [&](qsizetype nBegin, qsizetype nEnd) {
        NameHasher hash(m_rules.bIgnoreCase);
        for (qsizetype i = nBegin; i < nEnd; ++i)
            m_currentKeys[size_t(i)] = hash(m_currentNames[i]);
    });
    ForEachChunk(nFolder, kParallelMinimum, [&](qsizetype nBegin, qsizetype nEnd) {
        NameHasher hash(m_rules.bIgnoreCase);
        for (qsizetype i = nBegin; i < nEnd; ++i)
            m_folderKeys[size_t(i)] = hash(m_folderFiles[i]);
    });
    size_t nSize = 16;
    while (nSize < size_t(n) * 2)
        nSize *= 2;
    m_slots.resize(nSize);
    m_proposalKeys.resize(size_t(n));
    m_slotOf.resize(size_t(n));
    m_freed.resize(size_t(n));
}

QList<RenameForecast> RenameForecaster::Forecast(const NameProposer& proposer, const Cancel& cancel)
{
    return Run(
        m_currentNames.size(),
        [&](qsizetype i, NameProposer::Buffer& buffer) {
            return proposer.ProposeView(i, m_currentNames[i], buffer);
        },
        cancel);
}

QList<RenameForecast> RenameForecaster::Forecast(const QStringList& proposedNames,
                                                 const Cancel& cancel)
{
    return Run(
        proposedNames.size(),
        [&](qsizetype i, NameProposer::Buffer&) { return QStringView(proposedNames[i]); }, cancel);
}

template <typename Propose>
QList<RenameForecast> RenameForecaster::Run(qsizetype nProposals, Propose&& propose,
                                            const Cancel& cancel)
{
    using Fate = RenameForecast::Fate;
    EnsureKeys();
    const qsizetype n = std::min(m_currentNames.size(), nProposals);
    const auto cancelled = [&cancel] { return cancel && cancel(); };
    // The result goes to the window, which lets go of the one before when it takes it:
    // a list no longer held there is filled again rather than a new one faulted in.
    QList<RenameForecast> forecasts;
    for (QList<RenameForecast>& spare : m_spares) {
        if (spare.size() == nProposals && spare.isDetached()) {
            forecasts = std::move(spare);
            std::fill(forecasts.begin(), forecasts.end(), RenameForecast{});
            break;
        }
    }
    if (forecasts.size() != nProposals)
        forecasts = QList<RenameForecast>(nProposals);
    RenameForecast* out = forecasts.data();

    // Each proposal is made, checked against the rules and hashed, shared out over the
    // processor cores; the walk in list order that follows goes row by row.
    std::atomic<bool> bGaveUp{false};
    ForEachChunk(n, kParallelCheckMinimum, [&](qsizetype nBegin, qsizetype nEnd) {
        NameHasher hash(m_rules.bIgnoreCase);
        NameProposer::Buffer buffer;
        for (qsizetype i = nBegin; i < nEnd; ++i) {
            if ((i - nBegin) % kCancelStride == 0 && (bGaveUp.load() || cancelled())) {
                bGaveUp.store(true);
                return;
            }
            const QStringView proposal = propose(i, buffer);
            m_proposalKeys[size_t(i)] = hash(proposal);
            if (const NameFault fault = FaultOf(m_rules, proposal); fault != NameFault::None)
                out[i] = {Fate::Invalid,     NameProblem::Invalid, fault, m_rules.lengthUnit, -1,
                          m_rules.nMaxLength};
        }
    });
    if (bGaveUp.load() || cancelled())
        return {};

    // The table, emptied of the last check's proposals.
    std::fill(m_slots.begin(), m_slots.end(), Slot{});
    const size_t nMask = m_slots.size() - 1;
    const auto home = [&](quint64 key) { return &m_slots[size_t(key) & nMask]; };
    const auto find = [&](quint64 key) -> Slot* {
        size_t i = size_t(key) & nMask;
        while (m_slots[i].key != 0) {
            if (m_slots[i].key == key)
                return &m_slots[i];
            i = (i + 1) & nMask;
        }
        return nullptr;
    };

    // Every proposal counted once per file that is to get it.
    const std::vector<quint64>& proposalKeys = m_proposalKeys;
    for (size_t i = 0; i < size_t(n); ++i) {
        if (i + kAhead < size_t(n))
            Prefetch(home(proposalKeys[i + kAhead]));
        const quint64 key = proposalKeys[i];
        size_t s = size_t(key) & nMask;
        while (m_slots[s].key != 0 && m_slots[s].key != key)
            s = (s + 1) & nMask;
        m_slots[s].key = key;
        ++m_slots[s].proposals;
        m_slotOf[i] = quint32(s);
    }
    if (cancelled())
        return {};

    // Who bears each proposed name before the renames: a listed file (the last row of that
    // name), else a file of the folder that is not listed.
    for (size_t r = 0; r < size_t(n); ++r) {
        if (r + kAhead < size_t(n))
            Prefetch(home(m_currentKeys[r + kAhead]));
        if (Slot* slot = find(m_currentKeys[r]))
            slot->holder = qint32(r + 1);
    }
    for (size_t f = 0; f < m_folderKeys.size(); ++f) {
        if (f + kAhead < m_folderKeys.size())
            Prefetch(home(m_folderKeys[f + kAhead]));
        Slot* slot = find(m_folderKeys[f]);
        if (slot && slot->holder == 0)
            slot->holder = -1; // never renamed: keeps its name throughout
    }
    if (cancelled())
        return {};

    // The renames in list order: each takes its name when no file bears it at that moment
    // and frees its old name; a refused file keeps its name.
    std::fill(m_freed.begin(), m_freed.end(), quint8(0));
    for (size_t i = 0; i < size_t(n); ++i) {
        if (i + kAhead < size_t(n))
            Prefetch(&m_slots[m_slotOf[i + kAhead]]);
        RenameForecast& forecast = out[i];
        if (forecast.fate == Fate::Invalid || proposalKeys[i] == m_currentKeys[i])
            continue;
        Slot& slot = m_slots[m_slotOf[i]];
        const bool bRenamed = slot.renamedRow != 0;
        qint32 holder = bRenamed ? slot.renamedRow : slot.holder;
        if (!bRenamed && holder > 0 && m_freed[size_t(holder - 1)])
            holder = 0;
        if (holder == 0) {
            slot.renamedRow = qint32(i + 1);
            m_freed[i] = 1;
            continue;
        }
        if (slot.firstRefused == 0)
            slot.firstRefused = qint32(i + 1);
        forecast.nOther = holder > 0 ? holder - 1 : -1;
        if (holder < 0)
            forecast.fate = Fate::Unlisted;
        else if (bRenamed)
            forecast.fate = Fate::AfterSame;
        else if (holder > qint32(i + 1))
            forecast.fate = Fate::HeldLater;
        else
            forecast.fate = Fate::HeldKept;
    }

    // The marks: a name shared by several rows marks them all, a refused one its row.
    for (size_t i = 0; i < size_t(n); ++i) {
        if (i + kAhead < size_t(n))
            Prefetch(&m_slots[m_slotOf[i + kAhead]]);
        RenameForecast& forecast = out[i];
        if (forecast.fate == Fate::Invalid)
            continue;
        const Slot& slot = m_slots[m_slotOf[i]];
        if (slot.proposals > 1) {
            forecast.problem = NameProblem::Duplicate;
            if (forecast.fate == Fate::Renamed)
                forecast.nOther = slot.firstRefused - 1;
        } else if (forecast.fate != Fate::Renamed) {
            forecast.problem = NameProblem::Taken;
        }
    }
    // Kept to be filled again once the window is done with it.
    std::rotate(m_spares.begin(), m_spares.begin() + 1, m_spares.end());
    m_spares.back() = forecasts;
    return forecasts;
}

} // namespace quillet
