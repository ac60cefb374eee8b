// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/format_template.h"

#include "core/start_number.h"

#include <algorithm>

namespace quillet
{

TemplateExpander::TemplateExpander(const QString& strTemplate, const QString& strStartAt)
    : m_text(strTemplate)
{
    // The counter run: four "#" in a row anywhere, else three, two, one.
    for (int k = 4; k >= 1; --k) {
        if (strTemplate.contains(QString(k, u'#'))) {
            m_nDigits = k;
            break;
        }
    }
    if (m_nDigits > 0)
        m_nStart = StartValueForTemplate(strStartAt);

    // Cut the template into text, counter and name pieces. Counter runs are taken first,
    // left to right without overlap; "*" is looked for only in the text between them.
    auto addText = [this](qsizetype nFrom, qsizetype nTo) {
        const int nNamesBefore = m_nNames;
        qsizetype nStart = nFrom;
        for (qsizetype i = nFrom; i < nTo; ++i) {
            if (m_text[i] == u'*') {
                if (i > nStart)
                    m_pieces.append({Piece::Text, nStart, i - nStart});
                m_pieces.append({Piece::Name, 0, 0});
                ++m_nNames;
                nStart = i + 1;
            }
        }
        if (nTo > nStart)
            m_pieces.append({Piece::Text, nStart, nTo - nStart});
        m_nFixedLength += nTo - nFrom - m_nNames + nNamesBefore;
    };
    qsizetype nPos = 0;
    if (m_nDigits > 0) {
        for (qsizetype i = 0; i + m_nDigits <= m_text.size();) {
            bool bRun = true;
            for (int j = 0; j < m_nDigits && bRun; ++j)
                bRun = m_text[i + j] == u'#';
            if (!bRun) {
                ++i;
                continue;
            }
            addText(nPos, i);
            m_pieces.append({Piece::Counter, 0, 0});
            ++m_nCounters;
            i += m_nDigits;
            nPos = i;
        }
    }
    addText(nPos, m_text.size());
}

TemplateExpander::Counter TemplateExpander::CounterFor(qint64 nOutIndex) const
{
    return CounterOfValue(m_nStart + nOutIndex);
}

void TemplateExpander::Advance(Counter& counter) const
{
    if (m_nCounters == 0)
        return;
    // Adding one to the digits: trailing nines become zeros and the digit before them goes
    // up by one. Negative values and a run of nines only (which needs one digit more) are
    // written anew.
    if (counter.nValue >= 0) {
        for (qsizetype i = counter.length - 1; i >= 0; --i) {
            if (counter.digits[i] != u'9') {
                ++counter.digits[i];
                ++counter.nValue;
                return;
            }
            counter.digits[i] = u'0';
        }
    }
    counter = CounterOfValue(counter.nValue + 1);
}

TemplateExpander::Counter TemplateExpander::CounterOfValue(qint64 nValue) const
{
    Counter counter;
    counter.nValue = nValue;
    if (m_nCounters == 0)
        return counter;
    // The counter in decimal with at least m_nDigits digits, never cut.
    quint64 nMagnitude = nValue < 0 ? 0 - quint64(nValue) : quint64(nValue);
    char16_t reversed[20];
    int nDigits = 0;
    do {
        reversed[nDigits++] = char16_t(u'0' + nMagnitude % 10);
        nMagnitude /= 10;
    } while (nMagnitude != 0);
    if (nValue < 0)
        counter.digits[counter.length++] = u'-';
    for (int j = nDigits; j < m_nDigits; ++j)
        counter.digits[counter.length++] = u'0';
    while (nDigits > 0)
        counter.digits[counter.length++] = reversed[--nDigits];
    return counter;
}

qsizetype TemplateExpander::ExpandedLength(const Counter& counter, qsizetype nNameLength) const
{
    return m_nFixedLength + m_nCounters * counter.length + m_nNames * nNameLength;
}

char16_t* TemplateExpander::WriteTo(char16_t* dst, const Counter& counter,
                                    QStringView strFileName) const
{
    const char16_t* text = reinterpret_cast<const char16_t*>(m_text.constData());
    const char16_t* name = reinterpret_cast<const char16_t*>(strFileName.data());
    for (const Piece& piece : m_pieces) {
        switch (piece.kind) {
        case Piece::Text:
            dst = std::copy(text + piece.from, text + piece.from + piece.length, dst);
            break;
        case Piece::Counter:
            dst = std::copy(counter.digits, counter.digits + counter.length, dst);
            break;
        case Piece::Name:
            dst = std::copy(name, name + strFileName.size(), dst);
            break;
        }
    }
    return dst;
}

QString TemplateExpander::Expand(qint64 nOutIndex, QStringView strFileName) const
{
    const Counter counter = CounterFor(nOutIndex);
    QString strOut(ExpandedLength(counter, strFileName.size()), Qt::Uninitialized);
    WriteTo(reinterpret_cast<char16_t*>(strOut.data()), counter, strFileName);
    return strOut;
}

QString FormatTemplate(const QString& strTemplate, const QString& strStartAt, qint64 nOutIndex,
                       const QString& strFileName)
{
    return TemplateExpander(strTemplate, strStartAt).Expand(nOutIndex, strFileName);
}

} // namespace quillet
