// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rename_result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace quillet
{

// What one line of a rename script did, as the interpreter reports it to the program that
// started it.
struct ScriptLineResult {
    enum class Kind {
        Renamed,  // a rename line that renamed its file
        Failed,   // a rename line that did not rename its file
        LineError // any other line that failed (a cd, a line not understood)
    };
    Kind kind = Kind::LineError;
    int line = 0;        // 1-based line number in the script
    RenameResult rename; // a rename line's pair, in the folder it acted in, and its reason
    QString message;     // why any other line failed
};

// One record per line of the report: a kind word, the line number and the text fields, each
// percent-encoded UTF-8 so that no field can hold a blank or a line break, separated by single
// blanks and ended by a line feed. A rename's record ends in the renamed file's identity
// (percent-encoded) when the interpreter took it.
QByteArray FormatScriptLineResult(const ScriptLineResult& result);

// Writes the records of one report, in order, as FormatScriptLineResult does. The records of
// one folder share one encoding of it.
class ScriptReportWriter
{
public:
    // Appends the record of result to report.
    void append(QByteArray& report, const ScriptLineResult& result);

private:
    QString m_folder;         // the folder of the last rename record
    QByteArray m_folderField; // and its field, as written
};

// Reads one record without its line feed; nothing when it is not one.
std::optional<ScriptLineResult> ParseScriptLineResult(const QByteArray& record);

// Reads the records of one report, in order, as ParseScriptLineResult does. The records of
// one folder share one text of it.
class ScriptReportReader
{
public:
    std::optional<ScriptLineResult> parse(QByteArrayView record);

private:
    QByteArray m_folderField; // the folder field of the last rename record, as sent
    QString m_folder;         // and as read
};

} // namespace quillet
