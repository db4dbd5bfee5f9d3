#include "net/DownloadEngine.h"

#include "app/AppState.h"
#include "app/Failure.h"
#include "app/MainControls.h"
#include "app/Platform.h"
#include "app/StringIds.h"
#include "app/Timings.h"
#include "app/TransferComponent.h"
#include "app/Waits.h"
#include "net/DownloadProgress.h"
#include "net/DownloadView.h"
#include "net/PartFile.h"
#include "sysinfo/MemoryStatus.h"
#include "sysinfo/WindowsLocales.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <QEventLoop>
#include <QScopeGuard>

namespace {

// Numbers in the interface language's format: "4,2 Mo/s" in French.
QLocale interfaceLocale(const AppState& state)
{
    const auto* named = sysapi::findNamedLocale(state.languages.at(state.languageIndex).localeId);
    return named ? QLocale(QString::fromLatin1(named->name.data(), qsizetype(named->name.size()))) : QLocale::c();
}

// Body bytes taken from the component per read; its own buffer bounds the memory in use.
constexpr qint64 ReadBytes = 256 * 1024;

bool isSuccess(int status)
{
    return status >= 200 && status <= 299;
}

} // namespace

DownloadEngine::DownloadEngine(AppState& state, TransferComponent& component, Platform& platform,
                               const DownloadTimings& timings, DownloadView& view, MainControls& controls,
                               QObject* parent)
    : QObject(parent), state(state), component(component), platform(platform), timings(timings), view(view),
      controls(controls)
{
    connect(&component, &TransferComponent::stateChanged, this, &DownloadEngine::onTransferStateChanged);
}

bool DownloadEngine::prepareConnection()
{
    try {
        component.setProxy(
            ProxySettings{state.connectionType, state.proxyAddress, state.proxyPort, state.proxyUser, state.proxyPass});
        return !platform.isOffline();
    } catch (const Failure&) {
        return true;
    } catch (const std::exception&) {
        return true;
    }
}

bool DownloadEngine::downloadFile(const QString& url, const QString& target, bool isUpdateList, int pauseMs)
{
    const quint64 transfer = ++newestTransfer;
    if (component.stillExecuting())
        return fail(transfer, target, isUpdateList);

    setDownloadStatus(state.str(Str::Connecting));
    countdownValue = CountdownStart;
    view.setTimeoutTimerActive(isUpdateList);
    component.setRequestTimeoutMs(timings.requestTimeoutMs);
    component.execute(url);

    while (component.stillExecuting() && !component.headersReceived()) {
        const Wake wake = waitForActivity();
        if (superseded(transfer))
            return false;
        if (wake == Wake::ProgramEnding) {
            component.cancel();
            break;
        }
    }
    const bool answered = component.headersReceived() && (component.stillExecuting() || component.completed());
    if (!answered) {
        // Without any answer (refused, unknown host, silence) the component has told why;
        // "not found" would be one more wrong reason.
        if (component.headersReceived())
            addStatusLine(state.str(Str::Error404));
        return fail(transfer, target, isUpdateList);
    }
    if (!isSuccess(component.statusCode())) {
        // Read before the abort, which ends the response.
        const QString statusLine = component.responseInfo();
        addStatusLine(state.str(Str::Error404));
        addStatusLine(statusLine);
        return fail(transfer, target, isUpdateList);
    }

    view.setTimeoutTimerActive(false);
    if (isUpdateList)
        setDownloadStatus(state.str(Str::DownloadingUpdatesList));

    qint64 total = -1;
    const QString lengthText = component.header(QStringLiteral("Content-Length")).trimmed();
    if (!lengthText.isEmpty()) {
        bool ok = false;
        total = lengthText.toLongLong(&ok);
        if (!ok || total < 0)
            return fail(transfer, target, isUpdateList);
    }
    if (!isUpdateList && !roomFor(target, total))
        return fail(transfer, target, isUpdateList);
    DownloadProgress progress(total);
    if (!isUpdateList) {
        if (progress.lengthKnown()) {
            view.setProgressValue(0);
            view.setProgressMaximum(progress.barMaximum());
        } else {
            view.setProgressBusy();
        }
        view.setProgressVisible(true);
    }

    PartFile sink(target);
    if (!sink.open() || !receive(transfer, sink, progress, isUpdateList) || !sink.commit())
        return fail(transfer, target, isUpdateList);

    if (pauseMs > 0)
        wait(pauseMs);
    if (!superseded(transfer))
        setDownloadStatus(state.str(Str::Done));
    return true;
}

bool DownloadEngine::receive(quint64 transfer, PartFile& sink, DownloadProgress& progress, bool isUpdateList)
{
    displayedBytes = 0;
    lastRefreshMs = -1;
    rate.start(platform.elapsedMs(), 0);
    rateSuffix.clear();
    bool broken = false;
    const auto drain = [&] {
        if (broken || superseded(transfer))
            return;
        for (QByteArray chunk = component.readChunk(ReadBytes); !chunk.isEmpty();
             chunk = component.readChunk(ReadBytes)) {
            progress.add(chunk.size());
            if (!sink.write(chunk) || (progress.lengthKnown() && progress.receivedBytes() > progress.totalBytes())) {
                broken = true;
                return;
            }
        }
        if (!isUpdateList && component.stillExecuting())
            showProgress(progress, false);
    };
    // Reading follows the component's news wherever the event loop runs, also inside a
    // modal question (may the program close?): unread body would pile up meanwhile, and a
    // server that drops silent connections would end the download.
    const QMetaObject::Connection reader = connect(&component, &TransferComponent::activity, this, drain);
    const auto stopReading = qScopeGuard([&] { disconnect(reader); });
    drain();
    while (!broken && component.stillExecuting()) {
        const Wake wake = waitForActivity();
        if (superseded(transfer))
            return false;
        if (wake == Wake::ProgramEnding) {
            component.cancel();
            return false;
        }
        drain();
    }
    if (broken || !component.completed())
        return false;
    // The component's word is not enough: a body short of its announced length is no file.
    if (progress.lengthKnown() && progress.receivedBytes() != progress.totalBytes())
        return false;
    if (!isUpdateList)
        showProgress(progress, true);
    return true;
}

void DownloadEngine::showProgress(DownloadProgress& progress, bool final)
{
    const qint64 shown = progress.lengthKnown()
                             ? progress.shownBytes()
                             : progress.receivedBytes() / DownloadProgress::ChunkBytes * DownloadProgress::ChunkBytes;
    if (shown == displayedBytes)
        return;
    const qint64 now = platform.elapsedMs();
    if (!final && lastRefreshMs >= 0 && now - lastRefreshMs < timings.refreshIntervalMs)
        return;
    lastRefreshMs = now;
    displayedBytes = shown;
    if (progress.lengthKnown()) {
        view.setProgressValue(progress.barValue(shown));
        if (final)
            rateSuffix.clear();
        else if (rate.update(now, progress.receivedBytes()))
            rateSuffix = QStringLiteral(", ") + rateText(*rate.bytesPerSecond(),
                                                         progress.totalBytes() - progress.receivedBytes(),
                                                         state.str(Str::TransferRate), state.str(Str::KbUnit),
                                                         state.str(Str::MbUnit), interfaceLocale(state));
        setDownloadStatus(DownloadProgress::progressText(shown, progress.totalBytes(), state.str(Str::KbDownloaded),
                                                         state.str(Str::KbTotal)) +
                          rateSuffix);
    } else {
        setDownloadStatus(DownloadProgress::unknownLengthText(shown, state.str(Str::KbDownloaded)));
    }
}

DownloadEngine::Wake DownloadEngine::waitForActivity()
{
    QEventLoop loop;
    connect(&component, &TransferComponent::activity, &loop, &QEventLoop::quit);
    return loop.exec() == 0 ? Wake::Activity : Wake::ProgramEnding;
}

bool DownloadEngine::roomFor(const QString& target, qint64 length)
{
    const QString folder = QFileInfo(target).absolutePath();
    const qint64 free = length > 0 ? platform.freeSpace(folder) : -1;
    if (free < 0 || free >= length)
        return true;
    addStatusLine(QString(state.str(Str::NotEnoughSpace))
                      .replace(QStringLiteral("#1#"), QDir::toNativeSeparators(folder))
                      .replace(QStringLiteral("#2#"), MemoryStatus::formatBytes(length, true))
                      .replace(QStringLiteral("#3#"), MemoryStatus::formatBytes(free, true)));
    return false;
}

bool DownloadEngine::fail(quint64 transfer, const QString& target, bool isUpdateList)
{
    if (superseded(transfer))
        return false;
    if (abortedTransfer == transfer) {
        // The countdown has ended it and said so; the kind's own label is left to show.
        setDownloadStatus(state.str(isUpdateList ? Str::UpdatesListFailed : Str::InstallFailed));
    } else if (!abortTransfer(isUpdateList)) {
        return false;
    }
    if (isUpdateList)
        deleteFileWait(target, false);
    else
        view.hideStatusIcons();
    return false;
}

void DownloadEngine::abortDownload(bool isUpdateList)
{
    abortTransfer(isUpdateList);
}

bool DownloadEngine::abortTransfer(bool isUpdateList)
{
    const quint64 transfer = newestTransfer;
    component.cancel();
    view.setTimeoutTimerActive(false);
    controls.enableControls(true);
    // The window has handled queued input; a command may have run a newer transfer whose
    // lines and label are not ours to overwrite.
    if (superseded(transfer))
        return false;
    abortedTransfer = transfer;
    addStatusLine(state.str(Str::ServerConnectFailed));
    setDownloadStatus(state.str(isUpdateList ? Str::UpdatesListFailed : Str::InstallFailed));
    return true;
}

void DownloadEngine::addStatusLine(const QString& line)
{
    if (line.trimmed().size() < 4)
        return;
    view.addStatusLine(line);
}

void DownloadEngine::countDownToTimeout()
{
    --countdownValue;
    if (countdownValue >= 2) {
        setDownloadStatus(state.str(Str::Connecting) + QStringLiteral(" (") + QString::number(countdownValue) +
                          QLatin1Char(')'));
        return;
    }
    if (abortTransfer(false))
        controls.enableControls(true);
}

void DownloadEngine::onTransferStateChanged(int state)
{
    switch (state) {
    case TransferComponent::Resolving:
        addStatusLine(this->state.str(Str::LookingUpServer));
        break;
    case TransferComponent::Connecting:
        addStatusLine(this->state.str(Str::Connecting));
        break;
    case TransferComponent::RequestSending:
        addStatusLine(this->state.str(Str::SendingRequest));
        break;
    case TransferComponent::ReceivingResponse:
        if (view.lastStatusLine() != this->state.str(Str::DownloadingData))
            addStatusLine(this->state.str(Str::DownloadingData));
        break;
    case TransferComponent::Error:
        addStatusLine(this->state.str(Str::ErrorConnecting));
        addStatusLine(component.responseInfo());
        break;
    default:
        break;
    }
}

void DownloadEngine::setDownloadStatus(const QString& text)
{
    if (text == label)
        return;
    label = text;
    view.setDownloadLabel(text);
}
