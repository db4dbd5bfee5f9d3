#pragma once

// MemoryStatus: the memory figures of the system, the answer of the query before
// them, and the short texts the About box shows byte counts in.

#include "sysinfo/MemoryQuery.h"

#include <QLocale>
#include <QString>

#include <concepts>
#include <cstdint>
#include <optional>

class Platform;

class MemoryStatus
{
public:
    // Memory kinds of Total, Available and Change.
    enum Kind
    {
        Physical = 0,
        PageFile = 1,
        Virtual = 2
    };

    // Queries once.
    explicit MemoryStatus(Platform& platform);

    // Keeps the current answer as the previous one and asks again; a failed query leaves
    // every figure at 0.
    bool refresh();

    // Nothing for a kind other than 0, 1 or 2.
    std::optional<std::uint64_t> total(int kind) const;
    std::optional<std::uint64_t> available(int kind) const;
    // The available amount now minus before; nothing until a query before this one
    // found some of that kind available.
    std::optional<std::int64_t> change(int kind) const;
    // Percent of physical memory in use.
    std::uint32_t startUp() const;

    // A byte count as "1,023 bytes", "1.50 KB", "10.0 MB", "1024 KB"; with LongDisplay
    // the exact count follows in parentheses. A negative 16- or 32-bit count is read as
    // the unsigned number of the same bits.
    template <typename Number>
    requires std::integral<Number> || std::floating_point<Number>
    static QString formatBytes(Number bytes, bool longDisplay = false, const QLocale& locale = QLocale())
    {
        if constexpr (std::floating_point<Number>)
            return formatCount(static_cast<double>(bytes), grouped(static_cast<double>(bytes), locale), longDisplay,
                               locale);
        else if constexpr (std::signed_integral<Number> && (sizeof(Number) == 2 || sizeof(Number) == 4))
            return formatBytes(static_cast<std::make_unsigned_t<Number>>(bytes), longDisplay, locale);
        else if constexpr (std::signed_integral<Number>)
            return formatCount(static_cast<double>(bytes), grouped(static_cast<qlonglong>(bytes), locale), longDisplay,
                               locale);
        else
            return formatCount(static_cast<double>(bytes), grouped(static_cast<qulonglong>(bytes), locale), longDisplay,
                               locale);
    }

private:
    static std::optional<std::uint64_t> availableIn(const sysapi::MemoryStatusRecord& record, int kind);
    static std::optional<std::uint64_t> totalIn(const sysapi::MemoryStatusRecord& record, int kind);

    // "#,##0": whole number with the locale's thousands separators.
    static QString grouped(double value, const QLocale& locale);
    static QString grouped(qlonglong value, const QLocale& locale);
    static QString grouped(qulonglong value, const QLocale& locale);
    static QString formatCount(double value, const QString& grouped, bool longDisplay, const QLocale& locale);

    Platform& platform;
    sysapi::MemoryStatusRecord current;
    sysapi::MemoryStatusRecord previous{.length = 0}; // all zero until a second query
};
