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

} // namespace

void SortIgnoringCase(QStringList& names)
{
    const qsizetype n = names.size();
    if (n < 2)
        return;
    const QStringList& in = names; // read without detaching
    // The keys are folded into reused buffers as they are needed and never kept: a folder
    // of a million names needs no second million strings. First the length of the part
    // that every key starts with.
    std::u16string first;
    std::u16string foldedA;
    std::u16string foldedB;
    const QStringView firstKey = CaseFoldedInto(in[0], first);
    qsizetype nCommon = firstKey.size();
    for (qsizetype i = 1; i < n && nCommon > 0; ++i) {
        const QStringView key = CaseFoldedInto(in[i], foldedA);
        const qsizetype nMax = std::min(nCommon, key.size());
        qsizetype j = 0;
        while (j < nMax && key[j] == firstKey[j])
            ++j;
        nCommon = j;
    }

    // Sorted by the eight units of the key after the common part, held beside the index,
    // so that most comparisons read no name at all; equal prefixes compare the whole keys,
    // and equal keys (a.txt and A.TXT) the exact names.
    struct Entry {
        Prefix prefix;
        quint32 index;
    };
    std::vector<Entry> entries(static_cast<std::size_t>(n));
    for (qsizetype i = 0; i < n; ++i)
        entries[std::size_t(i)] = {PrefixOf(CaseFoldedInto(in[i], foldedA), nCommon), quint32(i)};
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        if (a.prefix.hi != b.prefix.hi)
            return a.prefix.hi < b.prefix.hi;
        if (a.prefix.lo != b.prefix.lo)
            return a.prefix.lo < b.prefix.lo;
        const QStringView keyA = CaseFoldedInto(in[a.index], foldedA);
        const QStringView keyB = CaseFoldedInto(in[b.index], foldedB);
        if (const int c = keyA.compare(keyB); c != 0)
            return c < 0;
        return in[a.index] < in[b.index];
    });

    // The names put in their sorted places by following the cycles of the permutation,
    // moving each name once and allocating nothing.
    constexpr quint32 kPlaced = ~quint32(0);
    QString* data = names.data();
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

} // namespace quillet
