#include "core/windows_names.h"

namespace quillet
{

namespace
{

bool IsAsciiCaseless(QStringView text, const char* word)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char16_t lower = (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
        if (word[i] == '\0' || lower != char16_t(word[i]))
            return false;
    }
    return word[text.size()] == '\0';
}

bool IsReservedDevice(QStringView stem)
{
    for (const char* device : {"con", "prn", "aux", "nul"}) {
        if (IsAsciiCaseless(stem, device))
            return true;
    }
    if (stem.size() != 4 ||
        !(IsAsciiCaseless(stem.first(3), "com") || IsAsciiCaseless(stem.first(3), "lpt")))
        return false;
    const char16_t digit = stem[3].unicode();
    return (digit >= u'1' && digit <= u'9') || digit == u'\u00b9' || digit == u'\u00b2' ||
           digit == u'\u00b3';
}

} // namespace

bool WindowsChangesName(QStringView name)
{
    if (name.isEmpty())
        return false;
    if (name.back() == u'.' || name.back() == u' ')
        return true;
    // The device is the part before the first dot; blanks before the dot do not count.
    qsizetype end = name.indexOf(u'.');
    if (end < 0)
        end = name.size();
    while (end > 0 && name[end - 1] == u' ')
        --end;
    return IsReservedDevice(name.first(end));
}

} // namespace quillet
