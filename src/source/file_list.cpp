// SPDX-License-Identifier: GPL-3.0-or-later
#include "source/file_list.h"

#include "source/extension_filter.h"
#include "source/name_sort.h"

#include <QRegularExpression>

namespace quillet
{

bool FileList::SetPath(const QString& strPath, QString* strError)
{
    const bool bOk = Assign(ReadFolder(strPath));
    if (strError)
        *strError = m_strError;
    return bOk;
}

bool FileList::Assign(FolderContents contents)
{
    m_strPath = contents.path;
    m_strError = std::move(contents.error);
    m_nUnrepresentable = contents.nUnrepresentable;
    m_allFiles = std::move(contents.files);
    SortIgnoringCase(m_allFiles);
    Select();
    return m_strError.isEmpty();
}

void FileList::SetPattern(const QString& strPattern)
{
    m_strPattern = strPattern;
    Select();
}

namespace
{

// A pattern read once and then matched against many names.
class PatternMatcher
{
public:
    explicit PatternMatcher(const QString& strPattern)
    {
        if (strPattern == FileList::AllFilesPattern()) {
            m_kind = All;
        } else if (strPattern.startsWith(QLatin1String("*."))) {
            m_kind = Extension;
            m_extension = ToUpperText(strPattern.mid(2));
        } else {
            m_kind = Wildcard;
            m_wildcard =
                QRegularExpression(QRegularExpression::wildcardToRegularExpression(strPattern),
                                   QRegularExpression::CaseInsensitiveOption);
        }
    }

    bool IsAll() const { return m_kind == All; }

    bool Matches(const QString& strName) const
    {
        switch (m_kind) {
        case All:
            return true;
        case Extension: {
            // The name ends in a dot and a text that upper-cases to the extension.
            const qsizetype nDot = strName.size() - m_extension.size() - 1;
            if (nDot < 0 || strName.at(nDot) != QLatin1Char('.'))
                return false;
            return ToUpperText(strName.mid(nDot + 1)) == m_extension;
        }
        case Wildcard:
            return m_wildcard.match(strName).hasMatch();
        }
        return false;
    }

private:
    enum Kind { All, Extension, Wildcard } m_kind = All;
    QString m_extension;
    QRegularExpression m_wildcard;
};

} // namespace

void FileList::Select()
{
    const PatternMatcher matcher(m_strPattern);
    if (matcher.IsAll()) {
        m_items = m_allFiles;
        return;
    }
    m_items.clear();
    for (const QString& name : std::as_const(m_allFiles)) {
        if (matcher.Matches(name))
            m_items.append(name);
    }
}

bool MatchesPattern(const QString& strName, const QString& strPattern)
{
    return PatternMatcher(strPattern).Matches(strName);
}

} // namespace quillet
