#include "source/name_sort.h"

#include <algorithm>
#include <vector>

namespace quillet
{

void SortIgnoringCase(QStringList& names)
{
    struct Keyed {
        QString key;
        QString name;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(static_cast<std::size_t>(names.size()));
    for (QString& name : names) {
        QString key = CaseFoldKey(name);
        keyed.push_back({std::move(key), std::move(name)});
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        if (const int c = QStringView(a.key).compare(QStringView(b.key)); c != 0)
            return c < 0;
        return a.name < b.name;
    });
    qsizetype i = 0;
    for (Keyed& k : keyed)
        names[i++] = std::move(k.name);
}

} // namespace quillet
