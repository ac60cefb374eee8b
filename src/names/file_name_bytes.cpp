// SPDX-License-Identifier: GPL-3.0-or-later
#include "names/file_name_bytes.h"

#include <QDir>
#include <QFileInfo>

#if !defined(Q_OS_WIN)
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quillet
{

namespace
{

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at bytes[i] and its code point in *code; 0 when
// the byte there starts none (a stray continuation byte, an overlong form, a surrogate, a
// code point beyond U+10FFFF or a sequence cut short).
int ValidSequence(QByteArrayView bytes, qsizetype i, char32_t* code)
{
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    int length;
    char32_t value;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        if (!IsContinuation(at(i + k)))
            return 0;
        value = (value << 6) | (at(i + k) & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *code = value;
    return length;
}

bool IsEscape(QStringView name, qsizetype i)
{
    const char16_t unit = name[i].unicode();
    return unit >= kFirstEscapedByte && unit <= kLastEscapedByte &&
           (i == 0 || !QChar::isHighSurrogate(name[i - 1].unicode()));
}

void AppendUtf8(QByteArray& out, char32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

} // namespace

QString DecodeFileName(QByteArrayView bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80)
        ++i;
    if (i == bytes.size())
        return QString::fromLatin1(bytes.data(), bytes.size()); // ASCII, the common case
    QString text = QString::fromLatin1(bytes.data(), i);
    text.reserve(bytes.size());
    while (i < bytes.size()) {
        const unsigned char byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            text += QChar(byte);
            ++i;
            continue;
        }
        char32_t code = 0;
        if (const int length = ValidSequence(bytes, i, &code)) {
            if (QChar::requiresSurrogates(code)) {
                text += QChar(QChar::highSurrogate(code));
                text += QChar(QChar::lowSurrogate(code));
            } else {
                text += QChar(char16_t(code));
            }
            i += length;
        } else {
            text += QChar(char16_t(0xDC00 + byte));
            ++i;
        }
    }
    return text;
}

QByteArray EncodeFileName(QStringView name, bool* ok)
{
    if (ok)
        *ok = true;
    // ASCII, the common case: one byte per character, written without a call per byte.
    qsizetype nAscii = 0;
    while (nAscii < name.size() && name[nAscii].unicode() < 0x80)
        ++nAscii;
    QByteArray out(nAscii, Qt::Uninitialized);
    char* bytes = out.data();
    for (qsizetype i = 0; i < nAscii; ++i)
        bytes[i] = char(name[i].unicode());
    if (nAscii == name.size())
        return out;
    out.reserve(name.size() + (name.size() - nAscii) * 2);
    for (qsizetype i = nAscii; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        if (unit < 0x80) {
            out += char(unit);
        } else if (QChar::isHighSurrogate(unit) && i + 1 < name.size() &&
                   QChar::isLowSurrogate(name[i + 1].unicode())) {
            AppendUtf8(out, QChar::surrogateToUcs4(unit, name[i + 1].unicode()));
            ++i;
        } else if (unit >= kFirstEscapedByte && unit <= kLastEscapedByte) {
            out += char(unit - 0xDC00); // a lone escape: the byte it stands for
        } else if (QChar::isSurrogate(unit)) {
            if (ok)
                *ok = false;
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

bool HoldsEscapedBytes(QStringView name)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (IsEscape(name, i))
            return true;
    }
    return false;
}

QString DisplayFileName(QStringView name)
{
    if (!HoldsEscapedBytes(name))
        return name.toString();
    QString shown;
    shown.reserve(name.size() + 8);
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (IsEscape(name, i))
            shown +=
                QStringLiteral("\\x") + QString::number(name[i].unicode() - 0xDC00, 16).toUpper();
        else
            shown += name[i];
    }
    return shown;
}

QString CurrentFolderPath()
{
#if defined(Q_OS_WIN)
    return QDir::currentPath();
#else
    QByteArray buffer(4096, '\0');
    for (;;) {
        if (getcwd(buffer.data(), size_t(buffer.size())))
            return DecodeFileName(QByteArrayView(buffer.constData()));
        if (errno != ERANGE || buffer.size() > (1 << 20))
            return QString();
        buffer.resize(buffer.size() * 2);
    }
#endif
}

bool IsExistingFolder(const QString& path)
{
#if defined(Q_OS_WIN)
    return QFileInfo(path).isDir();
#else
    struct stat st;
    return stat(EncodeFileName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
#endif
}

} // namespace quillet
