// SPDX-License-Identifier: GPL-3.0-or-later
#include "source/folder_list.h"

#include "names/folder_path.h"
#include "source/name_sort.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quillet
{

QString NormalizeFolderPath(const QString& strPath)
{
    return QDir::cleanPath(QFileInfo(strPath).absoluteFilePath());
}

QString RootOf(const QString& strPath)
{
    if (strPath.startsWith(QLatin1String("//"))) {
        // Network share: "//server/share/".
        qsizetype nEnd = strPath.indexOf(QLatin1Char('/'), 2);
        if (nEnd >= 0)
            nEnd = strPath.indexOf(QLatin1Char('/'), nEnd + 1);
        return nEnd < 0 ? strPath + QLatin1Char('/') : strPath.left(nEnd + 1);
    }
    if (strPath.startsWith(QLatin1Char('/')))
        return QStringLiteral("/");
    if (strPath.size() >= 2 && strPath.at(0).isLetter() && strPath.at(1) == QLatin1Char(':'))
        return strPath.left(2) + QLatin1Char('/');
    return QString();
}

QList<FolderEntry> FolderChain(const QString& strPath)
{
    const QString root = RootOf(strPath);
    QList<FolderEntry> chain;
    if (root.isEmpty())
        return chain;
    chain.append({root, root});
    QString path = root;
    const QStringList parts = strPath.mid(root.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (!path.endsWith(QLatin1Char('/')))
            path += QLatin1Char('/');
        path += part;
        chain.append({part, path});
    }
    return chain;
}

bool FolderList::SetPath(const QString& strPath, QString* strError)
{
    const bool bOk = Assign(ReadFolder(NormalizeFolderPath(strPath)));
    if (strError)
        *strError = m_strError;
    return bOk;
}

bool FolderList::Assign(FolderContents contents)
{
    m_strPath = NormalizeFolderPath(contents.path);
    m_strError = std::move(contents.error);
    m_chain = FolderChain(m_strPath);
    SortIgnoringCase(contents.folders);
    m_subfolders.clear();
    m_subfolders.reserve(contents.folders.size());
    const QString prefix = WithSeparator(m_strPath);
    for (const QString& name : std::as_const(contents.folders))
        m_subfolders.append({name, prefix + name});
    return m_strError.isEmpty();
}

bool FolderList::Open(qsizetype nIndex, QString* strError)
{
    const qsizetype nChain = m_chain.size();
    if (nIndex < 0 || nIndex >= nChain + m_subfolders.size()) {
        if (strError)
            *strError = QCoreApplication::translate("FileSource",
                                                    "No folder at position %1 of the folder list.")
                            .arg(nIndex);
        return false;
    }
    const QString path =
        nIndex < nChain ? m_chain.at(nIndex).path : m_subfolders.at(nIndex - nChain).path;
    return SetPath(path, strError);
}

} // namespace quillet
