#include "install/ReleaseOrder.h"

#include <QList>

#include <algorithm>
#include <optional>

namespace {

struct Release
{
    QList<int> numbers;
    bool preRelease = false; // a beta or release candidate comes before its release
};

std::optional<Release> parse(const QString& version)
{
    const QString number = version.section(QLatin1Char('-'), 0, 0);
    if (number.isEmpty())
        return std::nullopt;
    Release release;
    for (const QString& part : number.split(QLatin1Char('.'))) {
        bool ok = false;
        const int value = part.toInt(&ok);
        if (!ok || value < 0 || part.startsWith(QLatin1Char('+')))
            return std::nullopt;
        release.numbers.append(value);
    }
    release.preRelease = version.contains(QLatin1Char('-'));
    return release;
}

} // namespace

bool ReleaseOrder::isOlder(const QString& candidate, const QString& installed)
{
    const std::optional<Release> older = parse(candidate);
    const std::optional<Release> newer = parse(installed);
    if (!older || !newer)
        return false;
    const qsizetype length = std::max(older->numbers.size(), newer->numbers.size());
    for (qsizetype i = 0; i < length; ++i) {
        const int a = older->numbers.value(i);
        const int b = newer->numbers.value(i);
        if (a != b)
            return a < b;
    }
    return older->preRelease && !newer->preRelease;
}
