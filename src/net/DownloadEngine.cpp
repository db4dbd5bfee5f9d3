#include "net/DownloadEngine.h"

#include "app/AppState.h"
#include "app/Failure.h"
#include "app/Platform.h"
#include "app/Waits.h"
#include "app/StringIds.h"
#include "net/DownloadProgress.h"
#include "net/DownloadTimings.h"
#include "net/DownloadView.h"
#include "net/PartFile.h"
#include "app/TransferComponent.h"

#include <QElapsedTimer>
#include <QEventLoop>

namespace {

// Body bytes taken from the component per read; its own buffer bounds the memory in use.
constexpr qint64 ReadBytes = 256 * 1024;

bool IsSuccess(int status)
{
    return status >= 200 && status <= 299;
}

qint64 MonotonicMs()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

} // namespace

DownloadEngine::DownloadEngine(AppState& state, TransferComponent& intMain, Platform& platform, DownloadView& view,
                               QObject* parent)
    : QObject(parent), state(state), intMain(intMain), platform(platform), view(view)
{
    connect(&intMain, &TransferComponent::stateChanged, this, &DownloadEngine::intMain_StateChanged);
}

bool DownloadEngine::PrepareConnection()
{
    try {
        intMain.setProxy(
            ProxySettings{state.ConnectionType, state.ProxyAddress, state.ProxyPort, state.ProxyUser, state.ProxyPass});
        return !platform.isOffline();
    } catch (const Failure&) {
        return true;
    } catch (const std::exception&) {
        return true;
    }
}

bool DownloadEngine::DownloadFile(const QString& url, const QString& target, bool isUpdateList, int pauseMs)
{
    const quint64 transfer = ++newestTransfer;
    if (intMain.stillExecuting())
        return Fail(transfer, target, isUpdateList);

    SetDownloadStatus(state.str(Str::Connecting));
    countdownValue = CountdownStart;
    view.setTimeoutTimerActive(isUpdateList);
    intMain.setRequestTimeoutMs(CurrentDownloadTimings().requestTimeoutMs);
    intMain.execute(url);

    while (intMain.stillExecuting() && !intMain.headersReceived()) {
        const Wake wake = WaitForActivity();
        if (Superseded(transfer))
            return false;
        if (wake == Wake::ProgramEnding) {
            intMain.cancel();
            break;
        }
    }
    const bool answered = intMain.headersReceived() && (intMain.stillExecuting() || intMain.completed());
    if (!answered) {
        LiveUpdateEvent(state.str(Str::Error404));
        return Fail(transfer, target, isUpdateList);
    }
    if (!IsSuccess(intMain.statusCode())) {
        // Read before the abort, which ends the response.
        const QString statusLine = intMain.responseInfo();
        LiveUpdateEvent(state.str(Str::Error404));
        LiveUpdateEvent(statusLine);
        return Fail(transfer, target, isUpdateList);
    }

    view.setTimeoutTimerActive(false);
    if (isUpdateList)
        SetDownloadStatus(state.str(Str::DownloadingUpdatesList));

    qint64 total = -1;
    const QString lengthText = intMain.header(QStringLiteral("Content-Length")).trimmed();
    if (!lengthText.isEmpty()) {
        bool ok = false;
        total = lengthText.toLongLong(&ok);
        if (!ok || total < 0)
            return Fail(transfer, target, isUpdateList);
    }
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
    if (!sink.open() || !Receive(transfer, sink, progress, isUpdateList) || !sink.commit())
        return Fail(transfer, target, isUpdateList);

    if (pauseMs > 0)
        Wait(pauseMs);
    if (!Superseded(transfer))
        SetDownloadStatus(state.str(Str::Done));
    return true;
}

bool DownloadEngine::Receive(quint64 transfer, PartFile& sink, DownloadProgress& progress, bool isUpdateList)
{
    displayedBytes = 0;
    lastRefreshMs = -1;
    for (;;) {
        for (QByteArray chunk = intMain.readChunk(ReadBytes); !chunk.isEmpty(); chunk = intMain.readChunk(ReadBytes)) {
            if (!sink.write(chunk))
                return false;
            progress.add(chunk.size());
            if (progress.lengthKnown() && progress.receivedBytes() > progress.totalBytes())
                return false;
        }
        if (!intMain.stillExecuting())
            break;
        if (!isUpdateList)
            ShowProgress(progress, false);
        const Wake wake = WaitForActivity();
        if (Superseded(transfer))
            return false;
        if (wake == Wake::ProgramEnding) {
            intMain.cancel();
            return false;
        }
    }
    if (!intMain.completed())
        return false;
    // The component's word is not enough: a body short of its announced length is no file.
    if (progress.lengthKnown() && progress.receivedBytes() != progress.totalBytes())
        return false;
    if (!isUpdateList)
        ShowProgress(progress, true);
    return true;
}

void DownloadEngine::ShowProgress(DownloadProgress& progress, bool final)
{
    const qint64 shown = progress.lengthKnown()
                             ? progress.shownBytes()
                             : progress.receivedBytes() / DownloadProgress::ChunkBytes * DownloadProgress::ChunkBytes;
    if (shown == displayedBytes)
        return;
    const qint64 now = MonotonicMs();
    if (!final && lastRefreshMs >= 0 && now - lastRefreshMs < CurrentDownloadTimings().refreshIntervalMs)
        return;
    lastRefreshMs = now;
    displayedBytes = shown;
    if (progress.lengthKnown()) {
        view.setProgressValue(progress.barValue(shown));
        SetDownloadStatus(DownloadProgress::Text(shown, progress.totalBytes(), state.str(Str::KbDownloaded),
                                                 state.str(Str::KbTotal)));
    } else {
        SetDownloadStatus(DownloadProgress::UnknownLengthText(shown, state.str(Str::KbDownloaded)));
    }
}

DownloadEngine::Wake DownloadEngine::WaitForActivity()
{
    QEventLoop loop;
    connect(&intMain, &TransferComponent::activity, &loop, &QEventLoop::quit);
    return loop.exec() == 0 ? Wake::Activity : Wake::ProgramEnding;
}

bool DownloadEngine::Fail(quint64 transfer, const QString& target, bool isUpdateList)
{
    if (Superseded(transfer) || !Abort(isUpdateList))
        return false;
    if (isUpdateList)
        DeleteFileWait(target, false);
    else
        view.hideStatusIcons();
    return false;
}

void DownloadEngine::AbortDownload(bool isUpdateList)
{
    Abort(isUpdateList);
}

bool DownloadEngine::Abort(bool isUpdateList)
{
    const quint64 transfer = newestTransfer;
    intMain.cancel();
    view.setTimeoutTimerActive(false);
    view.EnableControls(true);
    // The window has handled queued input; a command may have run a newer transfer whose
    // lines and label are not ours to overwrite.
    if (Superseded(transfer))
        return false;
    LiveUpdateEvent(state.str(Str::ServerConnectFailed));
    SetDownloadStatus(state.str(isUpdateList ? Str::UpdatesListFailed : Str::InstallFailed));
    return true;
}

void DownloadEngine::LiveUpdateEvent(const QString& sStatus)
{
    if (sStatus.trimmed().size() < 4)
        return;
    view.addStatusLine(sStatus);
}

void DownloadEngine::tmrTimeout_Timer()
{
    --countdownValue;
    if (countdownValue >= 2) {
        SetDownloadStatus(state.str(Str::Connecting) + QStringLiteral(" (") + QString::number(countdownValue) +
                          QLatin1Char(')'));
        return;
    }
    if (Abort(false))
        view.EnableControls(true);
}

void DownloadEngine::intMain_StateChanged(int state)
{
    switch (state) {
    case TransferComponent::Resolving:
        LiveUpdateEvent(this->state.str(Str::LookingUpServer));
        break;
    case TransferComponent::Connecting:
        LiveUpdateEvent(this->state.str(Str::Connecting));
        break;
    case TransferComponent::RequestSending:
        LiveUpdateEvent(this->state.str(Str::SendingRequest));
        break;
    case TransferComponent::ReceivingResponse:
        if (view.lastStatusLine() != this->state.str(Str::DownloadingData))
            LiveUpdateEvent(this->state.str(Str::DownloadingData));
        break;
    case TransferComponent::Error:
        LiveUpdateEvent(this->state.str(Str::ErrorConnecting));
        LiveUpdateEvent(intMain.responseInfo());
        break;
    default:
        break;
    }
}

void DownloadEngine::SetDownloadStatus(const QString& text)
{
    if (text == label)
        return;
    label = text;
    view.setDownloadLabel(text);
}
