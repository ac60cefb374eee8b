#include "core/name_conflicts.h"

#include <QCoreApplication>

#include "core/parallel.h"
#include "core/windows_names.h"

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
        QStringView key = strName;
        if (m_bIgnoreCase) {
            // Unicode simple case folding one code point at a time, into a reused buffer.
            m_buffer.resize(size_t(strName.size()));
            char16_t* d = m_buffer.data();
            const char16_t* s = reinterpret_cast<const char16_t*>(strName.constData());
            for (qsizetype i = 0; i < strName.size(); ++i) {
                const char16_t c = s[i];
                if (c < 0x80) {
                    d[i] = (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
                } else if (QChar::isSurrogate(c)) {
                    d[i] = c;
                } else {
                    const char32_t folded = QChar::toCaseFolded(char32_t(c));
                    d[i] = QChar::requiresSurrogates(folded) ? c : char16_t(folded);
                }
            }
            key = QStringView(d, strName.size());
        }
        const quint64 h = Hash64(key);
        return h == 0 ? 1 : h; // 0 marks an empty slot
    }

private:
    bool m_bIgnoreCase;
    std::vector<char16_t> m_buffer;
};

// What the check knows of one name: the 1-based list position of the file that bears it
// now (0 none, -1 a file of the folder that is not listed), and how many files are to get
// it. A flat open-addressing table keyed by the name's hash, sized once.
struct NameSlot {
    quint64 key = 0; // 0: empty
    qint32 holder = 0;
    qint32 proposals = 0;
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

bool IsInvalidName(const QString& strName, const NameCheckRules& rules)
{
    if (strName.isEmpty() || strName == QLatin1String(".") || strName == QLatin1String(".."))
        return true;
    if (strName.contains(u'/') || strName.contains(QChar(0)))
        return true;
    const char16_t* s = reinterpret_cast<const char16_t*>(strName.constData());
    const qsizetype n = strName.size();
    if (rules.bWindowsNames) {
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = s[i];
            if (c < 0x20 || c == u'\\' || c == u':' || c == u'*' || c == u'?' || c == u'"' ||
                c == u'<' || c == u'>' || c == u'|')
                return true;
        }
        // Windows drops trailing dots and spaces and takes device names for devices, so the
        // file would get another name.
        return n > 255 || WindowsChangesName(strName);
    }
    // At most three UTF-8 bytes per UTF-16 unit: short names cannot pass 255 bytes.
    if (n * 3 <= 255)
        return false;
    qsizetype nBytes = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i];
        if (c < 0x80) {
            nBytes += 1;
        } else if (c < 0x800) {
            nBytes += 2;
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
            nBytes += 4;
            ++i;
        } else {
            nBytes += 3;
        }
    }
    return nBytes > 255;
}

} // namespace

NameCheckRules PlatformNameRules(bool bFolderIgnoresCase)
{
    NameCheckRules rules;
#ifdef Q_OS_WIN
    Q_UNUSED(bFolderIgnoresCase); // Windows names ignore case on every folder
    rules.bIgnoreCase = true;
    rules.bWindowsNames = true;
#else
    rules.bIgnoreCase = bFolderIgnoresCase;
#endif
    return rules;
}

QList<NameProblem> CheckProposedNames(const QStringList& currentNames,
                                      const QStringList& proposedNames,
                                      const QStringList& folderFiles, const NameCheckRules& rules)
{
    const qsizetype n = qMin(currentNames.size(), proposedNames.size());
    QList<NameProblem> problems(proposedNames.size(), NameProblem::None);
    // Nothing to add when the folder's files are the listed names themselves (the same
    // shared list: all files listed, none removed).
    const bool bSameList =
        folderFiles.size() == n && folderFiles.constData() == currentNames.constData();
    const qsizetype nFolder = bSameList ? 0 : folderFiles.size();

    // Hashing reads every name once; it is shared out over the processor cores, and so is
    // the check of each proposal on its own.
    std::vector<quint64> currentKeys(static_cast<size_t>(n));
    std::vector<quint64> proposalKeys(static_cast<size_t>(n));
    std::vector<quint64> folderKeys(static_cast<size_t>(nFolder));
    NameProblem* out = problems.data();
    ForEachChunk(n, 8192, [&](qsizetype nBegin, qsizetype nEnd) {
        NameHasher hash(rules.bIgnoreCase);
        for (qsizetype i = nBegin; i < nEnd; ++i) {
            currentKeys[size_t(i)] = hash(currentNames[i]);
            proposalKeys[size_t(i)] = hash(proposedNames[i]);
            if (IsInvalidName(proposedNames[i], rules))
                out[i] = NameProblem::Invalid;
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

    WithPrefetch(table, proposalKeys, [&](size_t i) {
        if (out[i] == NameProblem::Invalid)
            return;
        const quint64 key = proposalKeys[i];
        const NameSlot slot = table.Find(key);
        if (slot.proposals > 1) {
            out[i] = NameProblem::Duplicate;
        } else if (key != currentKeys[i]) {
            // A file renamed later still bears its current name at this file's turn.
            if (slot.holder == -1 || slot.holder > qint32(i + 1))
                out[i] = NameProblem::Taken;
        }
    });
    return problems;
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
            "NameConflicts", "Another file is to get the same name; only the first of them "
                             "can be renamed.");
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
