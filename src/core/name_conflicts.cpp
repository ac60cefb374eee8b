#include "core/name_conflicts.h"

#include <QCoreApplication>

#include "core/parallel.h"
#include "names/case_mapping.h"
#include "names/name_faults.h"

#include <cstring>
#include <vector>

namespace quillet
{

namespace
{

// Names are compared through 64-bit hashes of their comparison form, kept in flat
// open-addressing tables: one pass over the lists, no allocation per name. Two different
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

    quint64 operator()(const QString& strName)
    {
        // Names that differ only in case hash alike where the file system ignores case.
        const QStringView key = m_bIgnoreCase ? CaseFoldedInto(strName, m_buffer) : strName;
        const quint64 h = Hash64(key);
        return h == 0 ? 1 : h; // 0 marks an empty slot
    }

private:
    bool m_bIgnoreCase;
    std::u16string m_buffer;
};

// What the check knows of one name: the 1-based list position of the file that bears it
// (0 none, -1 a file of the folder that is not listed), how many files are to get it, and
// during the walk in list order who bears it at that moment. A flat open-addressing table keyed by
// the name's hash, sized once.
struct NameSlot {
    quint64 key = 0; // 0: empty
    qint32 holder = 0;
    qint32 proposals = 0;
    qint32 firstRefused = 0; // 1-based row of the first rename to it that is refused
    bool bRenamed = false;   // the holder got the name by a rename of the run
};

class NameTable
{
public:
    explicit NameTable(qsizetype nCapacity)
    {
        size_t nSize = 16;
        while (nSize < size_t(nCapacity) * 2)
            nSize *= 2;
        m_slots.resize(nSize);
        m_mask = nSize - 1;
    }

    void Prefetch(quint64 key) const
    {
#if defined(__GNUC__) || defined(__clang__)
        __builtin_prefetch(&m_slots[size_t(key) & m_mask]);
#else
        Q_UNUSED(key);
#endif
    }

    NameSlot& operator[](quint64 key)
    {
        size_t i = size_t(key) & m_mask;
        while (m_slots[i].key != 0 && m_slots[i].key != key)
            i = (i + 1) & m_mask;
        m_slots[i].key = key;
        return m_slots[i];
    }

    NameSlot Find(quint64 key) const
    {
        size_t i = size_t(key) & m_mask;
        while (m_slots[i].key != 0) {
            if (m_slots[i].key == key)
                return m_slots[i];
            i = (i + 1) & m_mask;
        }
        return {};
    }

private:
    std::vector<NameSlot> m_slots;
    size_t m_mask = 0;
};

// Runs fn(i) for every i, prefetching the table slot of keys[i + kAhead] first: the
// table is far larger than the caches for big folders, and this keeps several lookups in
// flight at once.
template <typename F>
void WithPrefetch(const NameTable& table, const std::vector<quint64>& keys, F&& fn)
{
    constexpr size_t kAhead = 16;
    for (size_t i = 0; i < keys.size(); ++i) {
        if (i + kAhead < keys.size())
            table.Prefetch(keys[i + kAhead]);
        fn(i);
    }
}

} // namespace

QList<RenameForecast> ForecastRenames(const QStringList& currentNames,
                                      const QStringList& proposedNames,
                                      const QStringList& folderFiles, const NameRules& rules)
{
    using Fate = RenameForecast::Fate;
    const qsizetype n = qMin(currentNames.size(), proposedNames.size());
    QList<RenameForecast> forecasts(proposedNames.size());
    // Nothing to add when the folder's files are the listed names themselves (the same
    // shared list: all files listed, none removed).
    const bool bSameList =
        folderFiles.size() == n && folderFiles.constData() == currentNames.constData();
    const qsizetype nFolder = bSameList ? 0 : folderFiles.size();

    // Hashing reads every name once and is shared out over the processor cores; the walk
    // in list order that follows goes row by row.
    std::vector<quint64> currentKeys(static_cast<size_t>(n));
    std::vector<quint64> proposalKeys(static_cast<size_t>(n));
    std::vector<quint64> folderKeys(static_cast<size_t>(nFolder));
    RenameForecast* out = forecasts.data();
    ForEachChunk(n, 8192, [&](qsizetype nBegin, qsizetype nEnd) {
        NameHasher hash(rules.bIgnoreCase);
        for (qsizetype i = nBegin; i < nEnd; ++i) {
            currentKeys[size_t(i)] = hash(currentNames[i]);
            proposalKeys[size_t(i)] = hash(proposedNames[i]);
            if (!rules.Accepts(Utf16View(proposedNames[i])))
                out[i] = {Fate::Invalid, NameProblem::Invalid, -1};
        }
    });
    ForEachChunk(nFolder, 8192, [&](qsizetype nBegin, qsizetype nEnd) {
        NameHasher hash(rules.bIgnoreCase);
        for (qsizetype i = nBegin; i < nEnd; ++i)
            folderKeys[size_t(i)] = hash(folderFiles[i]);
    });

    NameTable table(2 * n + nFolder);
    WithPrefetch(table, currentKeys,
                 [&](size_t i) { table[currentKeys[i]].holder = qint32(i + 1); });
    WithPrefetch(table, folderKeys, [&](size_t i) {
        NameSlot& slot = table[folderKeys[i]];
        if (slot.holder == 0)
            slot.holder = -1; // never renamed: keeps its name throughout
    });
    WithPrefetch(table, proposalKeys, [&](size_t i) { ++table[proposalKeys[i]].proposals; });

    // The renames in list order: each takes its name when no file bears it at that moment
    // and frees its old name; a refused file keeps its name.
    WithPrefetch(table, proposalKeys, [&](size_t i) {
        RenameForecast& forecast = out[i];
        const quint64 key = proposalKeys[i];
        if (forecast.fate == Fate::Invalid || key == currentKeys[i])
            return;
        NameSlot& slot = table[key];
        if (slot.holder == 0) {
            slot.holder = qint32(i + 1);
            slot.bRenamed = true;
            NameSlot& old = table[currentKeys[i]];
            if (old.holder == qint32(i + 1))
                old.holder = 0;
            return;
        }
        if (slot.firstRefused == 0)
            slot.firstRefused = qint32(i + 1);
        forecast.nOther = slot.holder > 0 ? slot.holder - 1 : -1;
        if (slot.holder < 0)
            forecast.fate = Fate::Unlisted;
        else if (slot.bRenamed)
            forecast.fate = Fate::AfterSame;
        else if (slot.holder > qint32(i + 1))
            forecast.fate = Fate::HeldLater;
        else
            forecast.fate = Fate::HeldKept;
    });

    // The marks: a name shared by several rows marks them all, a refused one its row.
    WithPrefetch(table, proposalKeys, [&](size_t i) {
        RenameForecast& forecast = out[i];
        if (forecast.fate == Fate::Invalid)
            return;
        const NameSlot slot = table.Find(proposalKeys[i]);
        if (slot.proposals > 1) {
            forecast.problem = NameProblem::Duplicate;
            if (forecast.fate == Fate::Renamed)
                forecast.nOther = slot.firstRefused - 1;
        } else if (forecast.fate != Fate::Renamed) {
            forecast.problem = NameProblem::Taken;
        }
    });
    return forecasts;
}

QList<NameProblem> CheckProposedNames(const QStringList& currentNames,
                                      const QStringList& proposedNames,
                                      const QStringList& folderFiles, const NameRules& rules)
{
    const QList<RenameForecast> forecasts =
        ForecastRenames(currentNames, proposedNames, folderFiles, rules);
    QList<NameProblem> problems;
    problems.reserve(forecasts.size());
    for (const RenameForecast& forecast : forecasts)
        problems.append(forecast.problem);
    return problems;
}

QString DescribeForecast(const QList<RenameForecast>& forecasts, qsizetype nRow,
                         const QStringList& currentNames, const QStringList& proposedNames)
{
    using Fate = RenameForecast::Fate;
    if (nRow < 0 || nRow >= forecasts.size())
        return {};
    const RenameForecast& forecast = forecasts[nRow];
    const QString strThis = currentNames.value(nRow);
    const bool bOther = forecast.nOther >= 0 && forecast.nOther < currentNames.size();
    const QString strOther = bOther ? currentNames[forecast.nOther] : QString();
    const QString strOtherRow = QString::number(forecast.nOther + 1);
    switch (forecast.fate) {
    case Fate::Invalid:
        return DescribeNameProblem(NameProblem::Invalid);
    case Fate::AfterSame:
        return QCoreApplication::translate(
                   "NameConflicts",
                   "\"%1\" (row %2) is renamed to this name first: renaming \"%3\" will be "
                   "refused.")
            .arg(strOther, strOtherRow, strThis);
    case Fate::HeldLater:
        return QCoreApplication::translate(
                   "NameConflicts",
                   "The file \"%1\" (row %2) is renamed later, so it still has this name when "
                   "this file's turn comes: renaming \"%3\" will be refused.")
            .arg(strOther, strOtherRow, strThis);
    case Fate::HeldKept:
        return QCoreApplication::translate(
                   "NameConflicts",
                   "The file \"%1\" (row %2) keeps this name: renaming \"%3\" will be refused.")
            .arg(strOther, strOtherRow, strThis);
    case Fate::Unlisted:
        return QCoreApplication::translate(
                   "NameConflicts",
                   "A file that is not in the list has this name: renaming \"%1\" will be "
                   "refused.")
            .arg(strThis);
    case Fate::Renamed:
        if (forecast.problem != NameProblem::Duplicate)
            return {};
        if (!bOther)
            return DescribeNameProblem(NameProblem::Duplicate);
        return QCoreApplication::translate(
                   "NameConflicts",
                   "\"%1\" (row %2) is to get the same name: this file is renamed to \"%3\", "
                   "and renaming \"%1\" will be refused.")
            .arg(strOther, strOtherRow, proposedNames.value(nRow));
    }
    return {};
}

QString DescribeNameProblem(NameProblem problem)
{
    switch (problem) {
    case NameProblem::Invalid:
        return QCoreApplication::translate(
            "NameConflicts", "This name cannot be used for a file: it is empty, \".\" or "
                             "\"..\", holds a character the file system refuses, or is "
                             "longer than 255 bytes.");
    case NameProblem::Duplicate:
        return QCoreApplication::translate(
            "NameConflicts", "Another file is to get the same name; only one of them can be "
                             "renamed.");
    case NameProblem::Taken:
        return QCoreApplication::translate("NameConflicts",
                                           "Another file still has this name when this file's turn "
                                           "comes; the rename will fail.");
    case NameProblem::None:
        break;
    }
    return {};
}

} // namespace quillet
