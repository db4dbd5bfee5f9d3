#include "sysinfo/clsMemoryStatus.h"

#include "app/Platform.h"

#include <cmath>

namespace {

constexpr double KB = 1024.0;
constexpr double MB = KB * 1024.0;
constexpr double GB = MB * 1024.0;
constexpr double TB = GB * 1024.0;

QLocale WithGroups(const QLocale& locale)
{
    QLocale grouping = locale;
    grouping.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouping;
}

QLocale WithoutGroups(const QLocale& locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return plain;
}

} // namespace

clsMemoryStatus::clsMemoryStatus(Platform& platform) : platform(platform)
{
    Refresh();
}

bool clsMemoryStatus::Refresh()
{
    previous = current;
    current = sysapi::MemoryStatusRecord{};
    if (platform.queryMemoryStatus(current))
        return true;
    current = sysapi::MemoryStatusRecord{}; // whatever a failed query wrote is not an answer
    return false;
}

std::optional<std::uint64_t> clsMemoryStatus::TotalIn(const sysapi::MemoryStatusRecord& record, int kind)
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

std::optional<std::uint64_t> clsMemoryStatus::AvailableIn(const sysapi::MemoryStatusRecord& record, int kind)
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

std::optional<std::uint64_t> clsMemoryStatus::Total(int kind) const
{
    return TotalIn(current, kind);
}

std::optional<std::uint64_t> clsMemoryStatus::Available(int kind) const
{
    return AvailableIn(current, kind);
}

std::optional<std::int64_t> clsMemoryStatus::Change(int kind) const
{
    const auto before = AvailableIn(previous, kind);
    if (!before || *before == 0)
        return std::nullopt;
    return static_cast<std::int64_t>(*AvailableIn(current, kind) - *before);
}

std::uint32_t clsMemoryStatus::Load() const
{
    return current.memoryLoad;
}

QString clsMemoryStatus::Grouped(double value, const QLocale& locale)
{
    return WithGroups(locale).toString(value, 'f', 0);
}

QString clsMemoryStatus::Grouped(qlonglong value, const QLocale& locale)
{
    return WithGroups(locale).toString(value);
}

QString clsMemoryStatus::Grouped(qulonglong value, const QLocale& locale)
{
    return WithGroups(locale).toString(value);
}

QString clsMemoryStatus::FormatCount(double value, const QString& grouped, bool longDisplay, const QLocale& locale)
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
    const QLocale plain = WithoutGroups(locale);
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
