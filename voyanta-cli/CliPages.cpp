#include "CliPages.h"

#include <utility>

std::optional<PrintedList> PrintedListNamed(const QString& name)
{
    static const std::pair<const char*, PrintedList> names[] = {
        {"travels", PrintedList::Travels},     {"details", PrintedList::Details},
        {"checklist", PrintedList::CheckList}, {"expenses", PrintedList::Expenses},
        {"stages", PrintedList::Stages},       {"stage", PrintedList::Stage},
    };
    for (const auto& [known, list] : names) {
        if (name == QLatin1String(known))
            return list;
    }
    return std::nullopt;
}
