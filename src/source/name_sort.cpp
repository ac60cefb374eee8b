// SPDX-License-Identifier: GPL-3.0-or-later
#include "source/name_sort.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quillet
{

namespace
{

// Eight UTF-16 units of a key from nFrom on, as two numbers that compare as the units do
// (a key that ends early is padded with 0, which no name holds and which sorts first).
struct Prefix {
    quint64 hi = 0;
    quint64 lo = 0;
};

Prefix PrefixOf(QStringView key, qsizetype nFrom)
{
    quint64 units[8] = {};
    for (qsizetype i = 0; i < 8 && nFrom + i < key.size(); ++i)
        units[i] = key.utf16()[nFrom + i];
    return {(units[0] << 48) | (units[1] << 32) | (units[2] << 16) | units[3],
            (units[4] << 48) | (units[5] << 32) | (units[6] << 16) | units[7]};
}

struct Entry {
    Prefix prefix;
    quint32 index;
};

// Fills entries (one per name, already sized) and sorts them into the order of the names.
// The keys are folded into reused buffers as they are needed and never kept: a folder of
// a million names needs no second million strings. Each entry holds the eight units of its
// key after the part that every key starts with, so that most comparisons read no name at
// all; equal prefixes compare the whole keys, and equal keys (a.txt and A.TXT) the exact
// names.
template <typename NameAt> void SortEntries(std::vector<Entry>& entries, NameAt nameAt)
{
    const qsizetype n = qsizetype(entries.size());
    std::u16string first;
    std::u16string foldedA;
    std::u16string foldedB;
    const QStringView firstKey = CaseFoldedInto(nameAt(0), first);
    qsizetype nCommon = firstKey.size();
    for (qsizetype i = 1; i < n && nCommon > 0; ++i) {
        const QStringView key = CaseFoldedInto(nameAt(quint32(i)), foldedA);
        const qsizetype nMax = std::min(nCommon, key.size());
        qsizetype j = 0;
        while (j < nMax && key[j] == firstKey[j])
            ++j;
        nCommon = j;
    }
    for (qsizetype i = 0; i < n; ++i)
        entries[std::size_t(i)] = {PrefixOf(CaseFoldedInto(nameAt(quint32(i)), foldedA), nCommon),
                                   quint32(i)};
    // Past the prefix, ASCII folds alone (A-Z to a-z), so most names compare there as they
    // are read; any other character has both keys folded in full.
    const qsizetype nKnown = nCommon + 8;
    const auto compareKeys = [&](QStringView a, QStringView b) {
        for (qsizetype i = nKnown; i < a.size() && i < b.size(); ++i) {
            char16_t ca = a.utf16()[i];
            char16_t cb = b.utf16()[i];
            if (ca >= 0x80 || cb >= 0x80)
                return CaseFoldedInto(a, foldedA).compare(CaseFoldedInto(b, foldedB));
            ca = ca >= u'A' && ca <= u'Z' ? char16_t(ca + 32) : ca;
            cb = cb >= u'A' && cb <= u'Z' ? char16_t(cb + 32) : cb;
            if (ca != cb)
                return ca < cb ? -1 : 1;
        }
        return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
    };
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        if (a.prefix.hi != b.prefix.hi)
            return a.prefix.hi < b.prefix.hi;
        if (a.prefix.lo != b.prefix.lo)
            return a.prefix.lo < b.prefix.lo;
        const QStringView nameA = nameAt(a.index);
        const QStringView nameB = nameAt(b.index);
        if (const int c = compareKeys(nameA, nameB); c != 0)
            return c < 0;
        return nameA < nameB;
    });
}

// Puts the names in their sorted places by following the cycles of the permutation,
// moving each string once and allocating nothing.
void Permute(QStringList& names, std::vector<Entry>& entries)
{
    constexpr quint32 kPlaced = ~quint32(0);
    QString* data = names.data();
    const qsizetype n = names.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (entries[std::size_t(i)].index == kPlaced)
            continue;
        QString held = std::move(data[i]);
        qsizetype j = i;
        for (;;) {
            const quint32 k = entries[std::size_t(j)].index;
            entries[std::size_t(j)].index = kPlaced;
            if (qsizetype(k) == i) {
                data[j] = std::move(held);
                break;
            }
            data[j] = std::move(data[k]);
            j = k;
        }
    }
}

// Sorts by making the names again in sorted order. A folder lists its names in the order
// of its own index, so strings made as it was read lie scattered once sorted, and a pass
// over a large list (the filter, the check of every keystroke) then waits on memory at each
// row. Here the texts are copied in list order into one block and the strings let go; the
// block is sorted and the names made again one after the other, in the memory the old ones
// gave back.
void SortRemade(QStringList& names)
{
    const qsizetype n = names.size();
    std::vector<qsizetype> offsets(std::size_t(n) + 1);
    qsizetype nTotal = 0;
    for (qsizetype i = 0; i < n; ++i) {
        offsets[std::size_t(i)] = nTotal;
        nTotal += names.at(i).size();
    }
    offsets[std::size_t(n)] = nTotal;
    std::u16string text;
    text.reserve(std::size_t(nTotal));
    for (const QString& name : std::as_const(names))
        text.append(reinterpret_cast<const char16_t*>(name.utf16()), std::size_t(name.size()));
    // Every other large buffer is taken before the strings are let go, so that none of them
    // lands in the memory the strings give back.
    std::vector<Entry> entries(static_cast<std::size_t>(n));
    QStringList sorted;
    sorted.reserve(n);
    names = QStringList();
    const auto nameAt = [&](quint32 i) {
        return QStringView(text.data() + offsets[i], offsets[i + 1] - offsets[i]);
    };
    SortEntries(entries, nameAt);
    for (const Entry& entry : entries)
        sorted.append(nameAt(entry.index).toString());
    names = std::move(sorted);
}

} // namespace

void SortIgnoringCase(QStringList& names, qsizetype nRemakeFrom)
{
    const qsizetype n = names.size();
    if (n < 2)
        return;
    if (n >= nRemakeFrom) {
        SortRemade(names);
        return;
    }
    const QStringList& in = names; // read without detaching
    std::vector<Entry> entries(static_cast<std::size_t>(n));
    SortEntries(entries, [&in](quint32 i) { return QStringView(in[i]); });
    Permute(names, entries);
}

} // namespace quillet
