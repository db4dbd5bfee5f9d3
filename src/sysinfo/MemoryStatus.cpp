#include "sysinfo/MemoryStatus.h"

#include "app/Platform.h"

#include <cmath>

namespace {

constexpr double KB = 1024.0;
constexpr double MB = KB * 1024.0;
constexpr double GB = MB * 1024.0;
constexpr double TB = GB * 1024.0;

QLocale withGroups(const QLocale& locale)
{
    QLocale grouping = locale;
    grouping.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouping;
}

QLocale withoutGroups(const QLocale& locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return plain;
}

} // namespace

MemoryStatus::MemoryStatus(Platform& platform) : platform(platform)
{
    refresh();
}

bool MemoryStatus::refresh()
{
    previous = current;
    current = sysapi::MemoryStatusRecord{};
    if (platform.queryMemoryStatus(current))
        return true;
    current = sysapi::MemoryStatusRecord{}; // whatever a failed query wrote is not an answer
    return false;
}

std::optional<std::uint64_t> MemoryStatus::totalIn(const sysapi::MemoryStatusRecord& record, int kind)
{
    switch (kind) {
    case Physical:
        return record.totalPhys;
    case PageFile:
        return record.totalPageFile;
    case Virtual:
        return record.totalVirtual;
    }
    return std::nullopt;
}

std::optional<std::uint64_t> MemoryStatus::availableIn(const sysapi::MemoryStatusRecord& record, int kind)
{
    switch (kind) {
    case Physical:
        return record.availPhys;
    case PageFile:
        return record.availPageFile;
    case Virtual:
        return record.availVirtual;
    }
    return std::nullopt;
}

std::optional<std::uint64_t> MemoryStatus::total(int kind) const
{
    return totalIn(current, kind);
}

std::optional<std::uint64_t> MemoryStatus::available(int kind) const
{
    return availableIn(current, kind);
}

std::optional<std::int64_t> MemoryStatus::change(int kind) const
{
    const auto before = availableIn(previous, kind);
    if (!before || *before == 0)
        return std::nullopt;
    return static_cast<std::int64_t>(*availableIn(current, kind) - *before);
}

std::uint32_t MemoryStatus::startUp() const
{
    return current.memoryLoad;
}

QString MemoryStatus::grouped(double value, const QLocale& locale)
{
    return withGroups(locale).toString(value, 'f', 0);
}

QString MemoryStatus::grouped(qlonglong value, const QLocale& locale)
{
    return withGroups(locale).toString(value);
}

QString MemoryStatus::grouped(qulonglong value, const QLocale& locale)
{
    return withGroups(locale).toString(value);
}

QString MemoryStatus::formatCount(double value, const QString& grouped, bool longDisplay, const QLocale& locale)
{
    if (value < KB)
        return grouped + QStringLiteral(" byte") + (value == 1 ? QString() : QStringLiteral("s"));

    double divisor = KB;
    QString unit = QStringLiteral(" KB");
    if (value >= TB) {
        divisor = TB;
        unit = QStringLiteral(" TB");
    } else if (value >= GB) {
        divisor = GB;
        unit = QStringLiteral(" GB");
    } else if (value >= MB) {
        divisor = MB;
        unit = QStringLiteral(" MB");
    }
    const double quotient = std::round(value / divisor * 10000.0) / 10000.0;
    const QLocale plain = withoutGroups(locale);
    QString text;
    if (quotient >= 100)
        text = plain.toString(quotient, 'f', 0);
    else if (quotient >= 10)
        text = plain.toString(quotient, 'f', 1);
    else
        text = plain.toString(quotient, 'f', 2).left(4); // 9.999 gives "10.00", shown as "10.0"
    text += unit;
    if (longDisplay)
        text += QStringLiteral(" (") + grouped + QStringLiteral(" bytes)");
    return text;
}
