#include "install/ExtractionChannel.h"

ExtractionChannel::ExtractionChannel(std::function<void()> wake) : wake(std::move(wake))
{}

void ExtractionChannel::post(ExtractionEvent event)
{
    const bool urgent = event.kind != ExtractionEvent::Kind::Line;
    {
        const std::lock_guard lock(mutex);
        events.push_back(std::move(event));
    }
    if (urgent)
        wake();
}

std::optional<QByteArray> ExtractionChannel::askPassword(const QString& entry)
{
    post(ExtractionEvent{ExtractionEvent::Kind::PasswordNeeded, entry});
    std::unique_lock lock(mutex);
    answered.wait(lock, [this] { return answerReady || stopping; });
    // A stop wins over an answer that came with it: the entry is not started any more.
    if (stopping)
        return std::nullopt;
    answerReady = false;
    return std::exchange(answer, std::nullopt);
}

bool ExtractionChannel::stopRequested() const
{
    const std::lock_guard lock(mutex);
    return stopping;
}

std::optional<ExtractionEvent> ExtractionChannel::take()
{
    const std::lock_guard lock(mutex);
    if (events.empty())
        return std::nullopt;
    ExtractionEvent event = std::move(events.front());
    events.pop_front();
    return event;
}

void ExtractionChannel::answerPassword(std::optional<QByteArray> password)
{
    {
        const std::lock_guard lock(mutex);
        answer = std::move(password);
        answerReady = true;
    }
    answered.notify_all();
}

void ExtractionChannel::requestStop()
{
    {
        const std::lock_guard lock(mutex);
        stopping = true;
    }
    answered.notify_all();
}
