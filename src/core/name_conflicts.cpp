#include "core/name_conflicts.h"

#include <QHash>
#include <QSet>

namespace quillet
{

namespace
{

// Names compare as the folder's file system compares them: exactly, or with Unicode
// simple case folding one code point at a time.
QString Key(const QString& strName, bool bIgnoreCase)
{
    if (!bIgnoreCase)
        return strName;
    QString strKey = strName;
    char16_t* d = reinterpret_cast<char16_t*>(strKey.data());
    for (qsizetype i = 0; i < strKey.size(); ++i) {
        const char16_t c = d[i];
        if (c < 0x80) {
            if (c >= u'A' && c <= u'Z')
                d[i] = c + 32;
        } else if (!QChar::isSurrogate(c)) {
            const char32_t folded = QChar::toCaseFolded(char32_t(c));
            if (!QChar::requiresSurrogates(folded))
                d[i] = char16_t(folded);
        }
    }
    return strKey;
}

bool IsInvalidName(const QString& strName, const NameCheckRules& rules)
{
    if (strName.isEmpty() || strName == QLatin1String(".") || strName == QLatin1String(".."))
        return true;
    for (const QChar c : strName) {
        const char16_t u = c.unicode();
        if (u == u'/' || u == 0)
            return true;
        if (rules.bWindowsNames && (u < 0x20 || u == u'\\' || u == u':' || u == u'*' || u == u'?' ||
                                    u == u'"' || u == u'<' || u == u'>' || u == u'|'))
            return true;
    }
    if (rules.bWindowsNames) {
        // Windows drops trailing dots and spaces, so the file would get another name.
        const QChar last = strName.back();
        if (last == u'.' || last == u' ')
            return true;
        return strName.size() > 255;
    }
    return strName.toUtf8().size() > 255;
}

} // namespace

NameCheckRules PlatformNameRules(bool bFolderIgnoresCase)
{
    NameCheckRules rules;
#ifdef Q_OS_WIN
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

    // Where each listed file stands in the list, by its current name.
    QHash<QString, qsizetype> listedAt;
    listedAt.reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        listedAt.insert(Key(currentNames[i], rules.bIgnoreCase), i);

    // Files of the folder that the run leaves alone keep their names throughout.
    QSet<QString> unlisted;
    for (const QString& strFile : folderFiles) {
        QString strKey = Key(strFile, rules.bIgnoreCase);
        if (!listedAt.contains(strKey))
            unlisted.insert(std::move(strKey));
    }

    QHash<QString, qsizetype> proposalCount;
    proposalCount.reserve(n);
    QList<QString> keys(n);
    for (qsizetype i = 0; i < n; ++i) {
        keys[i] = Key(proposedNames[i], rules.bIgnoreCase);
        ++proposalCount[keys[i]];
    }

    for (qsizetype i = 0; i < n; ++i) {
        const QString& strKey = keys[i];
        if (IsInvalidName(proposedNames[i], rules)) {
            problems[i] = NameProblem::Invalid;
        } else if (proposalCount.value(strKey) > 1) {
            problems[i] = NameProblem::Duplicate;
        } else if (strKey != Key(currentNames[i], rules.bIgnoreCase)) {
            // A file renamed later still bears its current name at this file's turn.
            const auto it = listedAt.constFind(strKey);
            if ((it != listedAt.constEnd() && it.value() > i) || unlisted.contains(strKey))
                problems[i] = NameProblem::Taken;
        }
    }
    return problems;
}

QString DescribeNameProblem(NameProblem problem)
{
    switch (problem) {
    case NameProblem::Invalid:
        return QStringLiteral("This name cannot be used for a file: it is empty, \".\" or "
                              "\"..\", holds a character the file system refuses, or is "
                              "longer than 255 bytes.");
    case NameProblem::Duplicate:
        return QStringLiteral("Another file is to get the same name; only the first of them "
                              "can be renamed.");
    case NameProblem::Taken:
        return QStringLiteral("Another file still has this name when this file's turn "
                              "comes; the rename will fail.");
    case NameProblem::None:
        break;
    }
    return {};
}

} // namespace quillet
