// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch_script.h"

#include "names/folder_path.h"
#include "platform/platform.h"

#include "names/file_name_bytes.h"
#include "names/name_faults.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quillet
{

namespace
{

// Why text cannot be written into the script, or an empty string when it can.
// Printable ASCII without a double quote: text every encoder writes byte for byte and the
// script carries as it is (with % doubled). Most names are such, and take the quick way.
bool IsPlain(QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u > 0x7e || u == u'"')
            return false;
    }
    return true;
}

QString Unwritable(const QString& text, const ScriptEncoder& encode)
{
    if (IsPlain(text))
        return {};
    // The script is text of one encoding, and quillet-batch reads only valid UTF-8: a name
    // whose bytes are not is refused rather than written as other bytes.
    if (HoldsEscapedBytes(text))
        return QCoreApplication::translate(
            "BatchScript", "holds bytes that are not UTF-8 text (shown as \\xNN), which the "
                           "script cannot carry; rename it with the API method");
    if (text.contains(QLatin1Char('"')))
        return QCoreApplication::translate("BatchScript", "holds a double quote");
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')))
        return QCoreApplication::translate("BatchScript", "holds a line break");
    if (!encode(text))
        return QCoreApplication::translate(
            "BatchScript", "holds a character that the script's code page cannot write");
    return {};
}

// The name as a message shows it: line breaks made visible so the name stays on one line,
// bytes that are not UTF-8 as \xNN.
QString Shown(const QString& text)
{
    QString name = DisplayFileName(text);
    name.replace(QLatin1Char('\r'), QChar(0x240D));
    name.replace(QLatin1Char('\n'), QChar(0x240A));
    return name;
}

QString DoublePercent(QString text)
{
    return text.replace(QLatin1Char('%'), QStringLiteral("%%"));
}

// Appends text to the script's bytes with every % doubled; false when the encoder refuses it.
bool AppendScriptText(QByteArray& bytes, const QString& text, const ScriptEncoder& encode)
{
    if (IsPlain(text)) {
        // Written through a pointer: room for every character twice, the unused part cut off.
        const qsizetype start = bytes.size();
        bytes.resize(start + 2 * text.size());
        char* out = bytes.data() + start;
        for (const QChar c : text) {
            *out++ = char(c.unicode());
            if (c == QLatin1Char('%'))
                *out++ = '%';
        }
        bytes.resize(out - bytes.constData());
        return true;
    }
    const std::optional<QByteArray> encoded = encode(DoublePercent(text));
    if (!encoded)
        return false;
    bytes.append(*encoded);
    return true;
}

// Translated when a message is made, once the user's catalogue is installed.
QString Refused()
{
    return QCoreApplication::translate("BatchScript", "The rename script cannot be written: ");
}

} // namespace

QString FolderText(const QString& folderPath, QChar separator)
{
    return WithSeparator(folderPath, separator);
}

QString DriveText(const QString& folderText, QChar separator)
{
    if (separator == QLatin1Char('/') && folderText.startsWith(separator))
        return separator;
    qsizetype nEnd = 0;
    for (int nCharacters = 0; nCharacters < 2 && nEnd < folderText.size(); ++nCharacters)
        nEnd += folderText.at(nEnd).isHighSurrogate() && nEnd + 1 < folderText.size() &&
                        folderText.at(nEnd + 1).isLowSurrogate()
                    ? 2
                    : 1;
    return folderText.left(nEnd);
}

QString ScriptPairProblem(const QString& from, const QString& to, QChar separator,
                          const ScriptEncoder& encode)
{
    // A script for the Windows command interpreter is checked by the Windows name rules, the
    // rules the rows are marked by: Windows would give some names another name (or a device),
    // and cmd takes * and ? in a name for wildcards, so `rename "a.txt" "*.bak"` would rename
    // to another name than was asked, and a current name with a wildcard could rename several
    // files. Every new name those rules refuse is refused here, as is a current name holding a
    // character that is no part of a Windows name.
    if (separator == QLatin1Char('\\')) {
        const NameRules rules = NameRules::Windows();
        const NameFault fromFault = FaultOf(rules, from);
        if (fromFault == NameFault::Forbidden || fromFault == NameFault::Separator)
            return QCoreApplication::translate("BatchScript", "the name of the file \"%1\": %2.")
                .arg(Shown(from), DescribeNameFault(fromFault, Shown(from), rules));
        if (const NameFault fault = FaultOf(rules, to); fault != NameFault::None)
            return QCoreApplication::translate("BatchScript",
                                               "the new name \"%1\" of the file \"%2\": %3.")
                .arg(Shown(to), Shown(from), DescribeNameFault(fault, Shown(to), rules));
    }
    if (const QString why = Unwritable(from, encode); !why.isEmpty())
        return QCoreApplication::translate("BatchScript", "the name of the file \"%1\" %2.")
            .arg(Shown(from), why);
    if (const QString why = Unwritable(to, encode); !why.isEmpty())
        return QCoreApplication::translate("BatchScript",
                                           "the new name \"%1\" of the file \"%2\" %3.")
            .arg(Shown(to), Shown(from), why);
    return {};
}

ComposedScript ComposeBatchScript(const RenameJob& job, QChar separator,
                                  const ScriptEncoder& encode)
{
    const qsizetype count = job.proposedNames.size();
    if (job.currentNames.size() < count)
        return {std::nullopt, QCoreApplication::translate(
                                  "BatchScript", "The rename script cannot be written: the list of "
                                                 "current names is shorter than the list of new "
                                                 "names.")};

    const QString folder = FolderText(job.folderPath, separator);
    if (const QString why = Unwritable(folder, encode); !why.isEmpty())
        return {std::nullopt,
                Refused() + QCoreApplication::translate("BatchScript", "the folder \"%1\" %2.")
                                .arg(Shown(folder), why)};
    // Every pair the script cannot carry is named, so that the user can take them all out at
    // once (or choose the other method); the reason is given for the first.
    QString strFirst;
    QStringList rows;
    for (qsizetype i = 0; i < count; ++i) {
        const QString why =
            ScriptPairProblem(job.currentNames.at(i), job.proposedNames.at(i), separator, encode);
        if (why.isEmpty())
            continue;
        if (strFirst.isEmpty())
            strFirst = why;
        rows.append(QString::number(i + 1));
    }
    if (!rows.isEmpty()) {
        constexpr qsizetype kRowsNamed = 20;
        QString strRows = QStringList(rows.mid(0, kRowsNamed)).join(QStringLiteral(", "));
        if (rows.size() > kRowsNamed)
            strRows += QStringLiteral(", ...");
        return {std::nullopt,
                Refused() + strFirst + QLatin1Char('\n') +
                    QCoreApplication::translate("BatchScript",
                                                "Rows the script cannot hold: %1. Delete these "
                                                "rows, or choose API(slow).")
                        .arg(strRows)};
    }

    // The folder is quoted whole, and a failed change of folder ends the script, so that no
    // rename line runs in whatever folder the interpreter happens to be in. The check is a
    // line of its own rather than "|| exit /b 1": Wine's cmd runs the command after "||"
    // even when the cd worked.
    // The text is encoded piece by piece: every encoder the script is written with maps each
    // character on its own, so the pieces make the same bytes as the whole text would.
    qsizetype nSize = 64;
    for (qsizetype i = 0; i < count; ++i)
        nSize += 16 + job.currentNames.at(i).size() + job.proposedNames.at(i).size();
    QByteArray bytes;
    bytes.reserve(nSize + nSize / 8);
    const auto add = [&](const QString& text) { return AppendScriptText(bytes, text, encode); };
    bytes.append("cd /d \"");
    bool ok = add(folder);
    bytes.append("\"\r\nif errorlevel 1 exit /b 1\r\n");
    ok = ok && add(DriveText(folder, separator));
    bytes.append("\r\n");
    for (qsizetype i = 0; ok && i < count; ++i) {
        bytes.append("rename \"");
        ok = add(job.currentNames.at(i));
        bytes.append("\" \"");
        ok = ok && add(job.proposedNames.at(i));
        bytes.append("\"\r\n");
    }
    if (!ok)
        return {std::nullopt, Refused() + QCoreApplication::translate(
                                              "BatchScript", "its text cannot be encoded.")};
    return {std::move(bytes), {}};
}

bool WriteScriptBytes(const QString& strBatchDir, const QByteArray& bytes, QString* error)
{
    const QString path = strBatchDir + QLatin1String(kBatchFileName);
    QString reason;
    const bool written = ReplaceFileSafely(path, bytes, &reason);
    if (!written && error) {
        *error = QCoreApplication::translate("BatchScript",
                                             "The batch file \"%1\" could not be written: %2.")
                     .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason);
    }
    return written;
}

std::optional<QString> WriteBatchFile(const QString& strBatchDir, const RenameJob& job,
                                      const Platform& platform, QString* error)
{
    const ComposedScript script =
        ComposeBatchScript(job, platform.separator(), [&platform](const QString& text) {
            return platform.encodeScriptText(text);
        });
    if (!script.bytes) {
        if (error)
            *error = script.error;
        return std::nullopt;
    }
    if (!WriteScriptBytes(strBatchDir, *script.bytes, error))
        return std::nullopt;
    return strBatchDir + QLatin1String(kBatchFileName);
}

} // namespace quillet
