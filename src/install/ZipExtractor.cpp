#include "install/ZipExtractor.h"

#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/StringIds.h"
#include "app/Waits.h"
#include "install/ExtractionChannel.h"
#include "install/ExtractionJob.h"
#include "install/ExtractionView.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

// Message lines are collected this often; the question and the end come at once.
constexpr int CollectMs = 10;
// The longest the user-interface thread spends on message lines before it handles its
// other events (painting, input) again.
constexpr qint64 SliceMs = 15;

// The first letter of every word upper case, the other letters lower case; words are
// separated by white space only, so "data/file.txt" stays one word.
QString properCase(const QString& text)
{
    QString result = text;
    bool wordStart = true;
    for (QChar& c : result) {
        c = wordStart ? c.toUpper() : c.toLower();
        wordStart = c.isSpace() || c.isNull();
    }
    return result;
}

} // namespace

ZipExtractor::ZipExtractor(AppState& state, Dialogs& dialogs, ExtractionView& view)
    : state(state), dialogs(dialogs), view(view)
{}

ZipExtractor::~ZipExtractor()
{
    stopAndWait();
}

bool ZipExtractor::unzipArchive(const QString& zipPath, const QString& targetFolder, bool keepFolders,
                                const QString& installRoot, const QString& previousVersion, std::stop_token cancel)
{
    // The callers disable their commands; a second call from a nested event loop is refused.
    if (active)
        return false;
    active = true;
    cause.clear();
    cancelToken = cancel;

    addStatusLine(state.str(Str::InstallingNewVersion));
    view.setDownloadLabel(state.str(Str::InstallingNewVersion));
    addStatusLine(QString(state.str(Str::Extracting)).replace(QStringLiteral("#FN#"), zipPath));
    barValue = 0;
    barMaximum = ProgressMaximum;
    view.setProgressValue(barValue);
    view.setProgressMaximum(barMaximum);
    view.setProgressVisible(true);
    QCoreApplication::processEvents();

    channel = std::make_unique<ExtractionChannel>([this] {
        QMetaObject::invokeMethod(
            &wakeContext,
            [this] {
                if (onWake)
                    onWake();
            },
            Qt::QueuedConnection);
    });
    worker = std::thread([this,
                          request = ExtractionRequest{zipPath, targetFolder, keepFolders, installRoot, previousVersion},
                          lines = channel.get(), cancel] {
        ExtractionJob job(request, *lines, cancel);
        outcome = job.run();
        cause = job.failureCause();
        lines->post(ExtractionEvent{ExtractionEvent::Kind::Finished, {}});
    });
    const ExtractionOutcome result = waitForWorker();
    channel.reset();

    barValue = ProgressMaximum;
    view.setProgressValue(barValue);
    if (result == ExtractionOutcome::Failed)
        deleteFileWait(zipPath, false);
    active = false;
    return result == ExtractionOutcome::Extracted;
}

ExtractionOutcome ZipExtractor::waitForWorker()
{
    QEventLoop loop;
    bool finished = false;
    bool draining = false;
    // Takes the waiting events for at most one slice; the loop handles painting and
    // input in between. A modal question inside a slice must not start another one.
    const auto drain = [&] {
        if (draining || finished)
            return;
        draining = true;
        QElapsedTimer slice;
        slice.start();
        while (slice.elapsed() < SliceMs) {
            std::optional<ExtractionEvent> event = channel->take();
            if (!event)
                break;
            if (event->kind == ExtractionEvent::Kind::Finished) {
                finished = true;
                loop.quit();
                break;
            }
            handle(*event);
        }
        draining = false;
    };
    QTimer collect;
    QObject::connect(&collect, &QTimer::timeout, &loop, drain);
    collect.start(CollectMs);
    onWake = drain;
    while (!finished) {
        if (loop.exec() != 0) {
            // The program is ending and no event loop runs any more: finish here.
            stopAndWait();
            drain();
        }
    }
    onWake = nullptr;
    if (worker.joinable())
        worker.join();
    return outcome;
}

void ZipExtractor::handle(const ExtractionEvent& event)
{
    if (event.kind == ExtractionEvent::Kind::Line) {
        unzipPrintCallback(event.text);
        return;
    }
    // A question that comes after a stop or cancel request is not asked any more.
    const bool stopping = channel->stopRequested() || cancelToken.stop_requested();
    channel->answerPassword(stopping ? std::nullopt : unzipPasswordCallback());
}

void ZipExtractor::unzipPrintCallback(const QString& message)
{
    const QString text = (message.startsWith(QLatin1Char('\n')) ? QStringLiteral("\r\n") : message).trimmed();
    if (text.size() <= 3)
        return;
    addStatusLine(properCase(text));
    if (barMaximum > barValue)
        view.setProgressValue(++barValue);
}

std::optional<QByteArray> ZipExtractor::unzipPasswordCallback()
{
    if (skipPassword)
        return std::nullopt;
    std::optional<QString> answer =
        dialogs.inputBox(QStringLiteral("Please Enter The Password."), MessageRequest::productName(), QString());
    if (!answer || answer->isEmpty()) {
        skipPassword = true;
        return std::nullopt;
    }
    QByteArray password = answer->toUtf8();
    answer->fill(QLatin1Char('\0'));
    return password;
}

void ZipExtractor::requestStop()
{
    if (channel)
        channel->requestStop();
}

void ZipExtractor::stopAndWait()
{
    requestStop();
    if (worker.joinable())
        worker.join();
}

void ZipExtractor::addStatusLine(const QString& line)
{
    if (line.trimmed().size() < 4)
        return;
    view.addStatusLine(line);
}
