// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace quillet
{

// A renaming template read once and then expanded for many files.
// The counter run is the longest run of "#" up to four: the template is searched for
// "####", then "###", "##", "#", and the first one found is the run. Every occurrence of
// that run, left to right without overlap, becomes the counter written with at least as
// many digits as the run has "#" (longer numbers are never cut). Any other "#" stays.
// Then every "*" is replaced by the file's name; since the counter goes in first, "#"
// and "*" inside the file's name reach the result unchanged.
class TemplateExpander
{
public:
    TemplateExpander(const QString& strTemplate, const QString& strStartAt);

    // The expansion for the file at nOutIndex whose name without extension is strFileName.
    QString Expand(qint64 nOutIndex, QStringView strFileName) const;

    // The pieces of Expand for callers that build the whole name in one buffer:
    // the counter text for an index, the exact length of an expansion, and the expansion
    // written at dst (which must hold ExpandedLength characters); returns the end.
    struct Counter {
        char16_t digits[24];
        qsizetype length = 0;
        qint64 nValue = 0;
    };
    Counter CounterFor(qint64 nOutIndex) const;
    // Turns the counter for one index into the one for the next index, in place: quicker
    // than CounterFor for a run of names in list order.
    void Advance(Counter& counter) const;
    qsizetype ExpandedLength(const Counter& counter, qsizetype nNameLength) const;
    char16_t* WriteTo(char16_t* dst, const Counter& counter, QStringView strFileName) const;

private:
    Counter CounterOfValue(qint64 nValue) const;

    struct Piece {
        enum Kind { Text, Counter, Name } kind;
        qsizetype from = 0; // into m_text, for Text pieces
        qsizetype length = 0;
    };
    QString m_text;
    QList<Piece> m_pieces;
    int m_nDigits = 0; // length of the counter run, 0 when the template has none
    qint64 m_nStart = 0;
    qsizetype m_nFixedLength = 0; // template text outside the counters and names
    int m_nCounters = 0;
    int m_nNames = 0;
};

// One-off expansion, as the window's own template operation.
QString FormatTemplate(const QString& strTemplate, const QString& strStartAt, qint64 nOutIndex,
                       const QString& strFileName);

} // namespace quillet
