#pragma once

#include <QString>

namespace quillet
{

// Case changes go one code point at a time with Unicode simple case mapping, so the
// length in code points never changes; a surrogate pair counts as one character.
QString ToLowerText(const QString& strInput);
QString ToUpperText(const QString& strInput);

// Converts the UTF-16 units [nFrom, nTo) of strText in place.
void LowerInPlace(QString& strText, qsizetype nFrom, qsizetype nTo);
void UpperInPlace(QString& strText, qsizetype nFrom, qsizetype nTo);

// Upper-cases the first character and every character that directly follows a space
// (U+0020 only); lower-cases every other character. Same length as the input.
QString CapitalizeInitial(const QString& strInput);
void CapitalizeInitialInPlace(QString& strText);

// nMode 1: every run of spaces becomes one space. nMode 2: every space is removed.
// Any other mode returns the input unchanged. Only U+0020 counts as a space.
QString ProcessSpace(const QString& strInput, int nMode);

} // namespace quillet
