#include "net/TransferRate.h"

#include <QLocale>

#include <cmath>

void TransferRate::start(qint64 nowMs, qint64 received)
{
    samples.clear();
    samples.push_back({nowMs, received});
    startMs = nowMs;
    shownMs = -1;
}

bool TransferRate::update(qint64 nowMs, qint64 received)
{
    if (samples.empty()) {
        start(nowMs, received);
        return false;
    }
    samples.push_back({nowMs, received});
    // Keep one sample at or before the window's start, so the window is always whole.
    while (samples.size() > 2 && samples[1].ms <= nowMs - WindowMs)
        samples.pop_front();
    if (nowMs - startMs < FirstShownMs || !bytesPerSecond())
        return false;
    if (shownMs >= 0 && nowMs - shownMs < RefreshMs)
        return false;
    shownMs = nowMs;
    return true;
}

std::optional<double> TransferRate::bytesPerSecond() const
{
    if (samples.size() < 2)
        return std::nullopt;
    const Sample& first = samples.front();
    const Sample& last = samples.back();
    if (last.ms - startMs < FirstShownMs || last.ms <= first.ms || last.bytes <= first.bytes)
        return std::nullopt;
    return double(last.bytes - first.bytes) * 1000.0 / double(last.ms - first.ms);
}

namespace {

QString twoDigits(qint64 n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

QString rateText(double bytesPerSecond, qint64 bytesLeft, const QString& pattern, const QString& kbUnit,
                 const QString& mbUnit, const QLocale& locale)
{
    const double kb = bytesPerSecond / 1024.0;
    const QString speed = kb < 1000.0 ? locale.toString(std::round(kb), 'f', 0) + QLatin1Char(' ') + kbUnit
                                      : locale.toString(kb / 1024.0, 'f', 1) + QLatin1Char(' ') + mbUnit;
    const auto seconds = qint64(std::ceil(double(qMax<qint64>(bytesLeft, 0)) / bytesPerSecond));
    const QString left = seconds >= 3600 ? QString::number(seconds / 3600) + QLatin1Char(':') +
                                               twoDigits(seconds / 60 % 60) + QLatin1Char(':') + twoDigits(seconds % 60)
                                         : QString::number(seconds / 60) + QLatin1Char(':') + twoDigits(seconds % 60);
    QString text = pattern;
    text.replace(QStringLiteral("#1#"), speed);
    text.replace(QStringLiteral("#2#"), left);
    return text;
}
