#pragma once

// What passes between the extraction thread and the user-interface thread: the message
// lines in the order they were made, the password question and its answer, the end of
// the run, and the request to stop. Lines wait to be collected; the question and the
// end wake the user-interface thread at once.

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

struct ExtractionEvent
{
    enum class Kind
    {
        Line,
        PasswordNeeded,
        Finished
    };
    Kind kind = Kind::Line;
    QString text; // the line, or the entry that needs a password
};

class ExtractionChannel
{
public:
    // Called on the extraction thread for every event but a line.
    explicit ExtractionChannel(std::function<void()> wake);

    // Extraction thread.
    void post(ExtractionEvent event);
    // Blocks until the user-interface thread answers or a stop is requested; nothing
    // when the user gave no password or the run is stopping.
    std::optional<QByteArray> askPassword(const QString& entry);
    bool stopRequested() const;

    // User-interface thread.
    std::optional<ExtractionEvent> take();
    void answerPassword(std::optional<QByteArray> password);
    // Any thread.
    void requestStop();

private:
    std::function<void()> wake;
    mutable std::mutex mutex;
    std::condition_variable answered;
    std::deque<ExtractionEvent> events;
    bool stopping = false;
    bool answerReady = false;
    std::optional<QByteArray> answer;
};
