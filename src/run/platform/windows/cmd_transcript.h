// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../script_report.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <functional>

namespace quillet::windows
{

// The prompt the command interpreter is given for a watched run: the escape character, the
// current folder, the escape character. With echo on (the script has no "echo off"), cmd
// writes this prompt and the line before it runs each line of the script, and the line's
// error text after it; no file or folder name can hold the escape character, so each prompt
// marks where the output of one script line begins.
inline constexpr char kMarkingPrompt[] = "$E$P$E";

// Turns what cmd writes while it runs a rename script (its output and error output through
// one pipe, in the order written) into one result per line that renamed or failed, as the
// POSIX interpreter reports them. A rename line counts as renamed when cmd wrote no error text
// after it and failed, with that text as the reason, when it did; any other line with error
// text is a line error. The names come from the script itself, the folder from the prompt.
class CmdTranscript
{
public:
    // Reads the bytes of cmd's code page as text.
    using Decoder = std::function<QString(const QByteArray&)>;

    CmdTranscript(const QByteArray& scriptBytes, Decoder decode);

    // The folder of the script's first line (`cd /d "D:\Photos\"`); empty when there is none.
    QString scriptFolder() const;
    // The names in that folder before cmd started. Given them, a rename line cmd said nothing
    // about counts as renamed only when its file was there by then: Wine's cmd passes over a
    // missing file without a word.
    void setNamesAtStart(const QStringList& names);

    // Takes the next piece of output; returns the results of the lines it completed.
    QList<ScriptLineResult> feed(const QByteArray& output);
    // The output has ended: returns the result of the last line.
    QList<ScriptLineResult> end();

    // Text cmd wrote before it ran the first line (it could not read the script), or a note
    // that its output stopped matching the script; empty otherwise.
    QString trouble() const;

private:
    void take(const QByteArray& record, QList<ScriptLineResult>* results);

    QList<QByteArray> m_lines; // the script's lines without their line ends
    Decoder m_decode;
    QByteArray m_pending; // output not yet read as a whole record
    qsizetype m_next = 0; // index in m_lines of the line the next record belongs to
    bool m_seenPrompt = false;
    qsizetype m_lostAt = 0; // the 1-based line whose record did not match it: nothing from
                            // there on is attributed; 0 while every record matched
    QByteArray m_preamble;  // output before the first prompt
    bool m_checkNames = false;
    QSet<QString> m_names; // the folder's names case-folded, as the renames so far left them
};

} // namespace quillet::windows
