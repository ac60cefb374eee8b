// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the tests under Wine share: finding Wine and the test prefix, the OEM code page that
// Wine's cmd reads batch files in, and a folder tree read back as paths and contents.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QStandardPaths>
#include <optional>

namespace quillet::test
{

using Tree = QMap<QString, QByteArray>; // path relative to the root -> content

// Characters beyond ASCII the tests use, with their bytes in OEM code page 437 (what Wine's
// cmd reads batch files in for an English locale). Anything else is refused, as the platform
// refuses it.
inline std::optional<QByteArray> EncodeOem437(const QString& text)
{
    static const QMap<QChar, char> kHigh = {
        {QChar(0x00e9), char(0x82)}, {QChar(0x00c9), char(0x90)}, {QChar(0x00f1), char(0xa4)},
        {QChar(0x00d1), char(0xa5)}, {QChar(0x00fc), char(0x81)}, {QChar(0x00dc), char(0x9a)},
        {QChar(0x00e7), char(0x87)}, {QChar(0x00c7), char(0x80)}};
    QByteArray bytes;
    for (QChar c : text) {
        if (c.unicode() < 0x80)
            bytes += char(c.unicode());
        else if (kHigh.contains(c))
            bytes += kHigh.value(c);
        else
            return std::nullopt;
    }
    return bytes;
}

// Finds wine and the prefix CTest sets up; returns why the tests cannot run here, or an empty
// text.
inline QString FindWine(QString* wine, QString* prefix)
{
    *wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    if (wine->isEmpty())
        return QStringLiteral("wine is not installed (apt-get install wine wine64)");
    *prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix->isEmpty() || !QDir(*prefix + QStringLiteral("/dosdevices")).exists())
        return QStringLiteral("WINEPREFIX does not name a Wine prefix; run this test through "
                              "ctest");
    return {};
}

// Every file below root, hidden ones included.
inline Tree ReadTree(const QString& root)
{
    Tree tree;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            tree.insert(QDir(root).relativeFilePath(path), file.readAll());
    }
    return tree;
}

} // namespace quillet::test
