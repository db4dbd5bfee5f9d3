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
#include "net/Sha256.h"
#include "sysinfo/MemoryStatus.h"
#include "sysinfo/WindowsLocales.h"

#include <QDir>
#include <QLocale>

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTimer>

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
      controls(controls), hash(std::make_unique<Sha256>()), deadline(new QTimer(this))
{
    connect(&component, &TransferComponent::stateChanged, this, &DownloadEngine::onTransferStateChanged);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, this, [this] {
        deadlinePassed = true;
        this->component.cancel();
    });
}

DownloadEngine::~DownloadEngine() = default;

bool DownloadEngine::prepareConnection()
{
    try {
        component.setProxy(ProxySettings{state.connectionType, state.proxyAddress, state.proxyPort,
                                         state.useProxyAuth != 0, state.proxyUser, state.proxyPass});
        return !platform.isOffline();
    } catch (const Failure&) {
        return true;
    } catch (const std::exception&) {
        return true;
    }
}

bool DownloadEngine::downloadFile(const QString& url, const QString& target, bool isUpdateList, int pauseMs)
{
    return transferFile(url, target, isUpdateList ? Kind::List : Kind::File, pauseMs, ListLimitBytes);
}

bool DownloadEngine::fetchSmallFile(const QString& url, const QString& target, qint64 maxBytes)
{
    return transferFile(url, target, Kind::QuietList, 0, maxBytes);
}

bool DownloadEngine::transferFile(const QString& url, const QString& target, Kind kind, int pauseMs, qint64 maxBytes)
{
    const quint64 transfer = ++newestTransfer;
    const bool isList = kind != Kind::File;
    digest.clear();
    // A cancelled job fetches nothing more; the request cuts a running transfer off at once.
    const std::stop_token cancel = controls.cancelToken();
    if (cancel.stop_requested())
        return false;
    const std::stop_callback cutOff(cancel, [this] { component.cancel(); });
    if (component.stillExecuting())
        return fail(transfer, target, kind);

    setDownloadStatus(state.str(Str::Connecting));
    countdownValue = CountdownStart;
    view.setTimeoutTimerActive(kind == Kind::List);
    component.setRequestTimeoutMs(timings.requestTimeoutMs);
    deadlinePassed = false;
    if (isList)
        deadline->start(timings.listDeadlineMs);

    QString validator;
    qint64 offset = isList ? 0 : resumableBytes(url, target, validator);
    Asked asked = ask(transfer, url, offset, validator);
    qint64 total = -1;
    // 416, or a range other than the one asked for: the part file is no beginning of this file.
    if (asked == Asked::Answered && offset > 0 &&
        (component.statusCode() == 416 || (component.statusCode() == 206 && !continuesAt(offset, total)))) {
        forgetPartial(target);
        offset = 0;
        asked = ask(transfer, url, 0, QString());
    }
    if (asked == Asked::Superseded)
        return false;
    if (cancel.stop_requested())
        return fail(transfer, target, kind);
    if (asked == Asked::NoAnswer) {
        // Without any answer (refused, unknown host, silence) the component has told why;
        // "not found" would be one more wrong reason.
        if (kind != Kind::QuietList && component.headersReceived())
            addStatusLine(state.str(Str::Error404));
        return fail(transfer, target, kind);
    }
    if (!isSuccess(component.statusCode())) {
        if (kind != Kind::QuietList) {
            // Read before the abort, which ends the response.
            const QString statusLine = component.responseInfo();
            addStatusLine(state.str(Str::Error404));
            addStatusLine(statusLine);
        }
        return fail(transfer, target, kind);
    }

    // Part of a file nobody asked a part of.
    if (offset == 0 && component.statusCode() == 206)
        return fail(transfer, target, kind);
    const QString resumeValidator = answerValidator();
    view.setTimeoutTimerActive(false);
    if (kind == Kind::List)
        setDownloadStatus(state.str(Str::DownloadingUpdatesList));

    // A 200 to a request for the rest: the server ignores ranges or the file changed.
    if (offset > 0 && component.statusCode() != 206)
        offset = 0;
    if (offset == 0) {
        hash->reset();
        if (!announcedLength(total))
            return fail(transfer, target, kind);
    }
    if (isList && total > maxBytes) {
        addStatusLine(numbered(Str::AnswerTooLarge, maxBytes / 1024));
        return fail(transfer, target, kind);
    }
    // A resumed file needs room for the rest only.
    if (!isList && !roomFor(target, total - offset))
        return fail(transfer, target, kind);
    DownloadProgress progress(total);
    progress.add(offset);
    if (!isList) {
        if (progress.lengthKnown()) {
            view.setProgressValue(0);
            view.setProgressMaximum(progress.barMaximum());
        } else {
            view.setProgressBusy();
        }
        view.setProgressVisible(true);
    }

    PartFile sink(target);
    if (offset > 0)
        addStatusLine(numbered(Str::ResumingAt, offset / 1024));
    if (!(offset > 0 ? sink.openToAppend() : sink.open()))
        return fail(transfer, target, kind);
    if (!receive(transfer, sink, progress, kind, maxBytes)) {
        if (!isList)
            keepForResume(sink, {url, resumeValidator, progress.receivedBytes(), {}}, target, progress);
        return fail(transfer, target, kind);
    }
    if (!sink.commit())
        return fail(transfer, target, kind);
    deadline->stop();
    if (!isList) {
        digest = QByteArray::fromStdString(Sha256::hex(hash->current()));
        if (records) {
            const QString name = QFileInfo(target).fileName();
            records->forgetPartial(name);
            records->recordDigest(name, digest);
        }
    }

    if (pauseMs > 0)
        wait(pauseMs);
    if (!superseded(transfer))
        setDownloadStatus(state.str(Str::Done));
    return true;
}

bool DownloadEngine::announcedLength(qint64& total) const
{
    const QString text = component.header(QStringLiteral("Content-Length")).trimmed();
    if (text.isEmpty())
        return true;
    bool ok = false;
    total = text.toLongLong(&ok);
    return ok && total >= 0;
}

QString DownloadEngine::numbered(int row, qint64 number) const
{
    return QString(state.str(row)).replace(QStringLiteral("#1#"), QString::number(number));
}

DownloadEngine::Asked DownloadEngine::ask(quint64 transfer, const QString& url, qint64 offset, const QString& validator)
{
    if (offset > 0)
        component.askFrom(offset, validator);
    component.execute(url);
    while (component.stillExecuting() && !component.headersReceived()) {
        const Wake wake = waitForActivity();
        if (superseded(transfer))
            return Asked::Superseded;
        if (wake == Wake::ProgramEnding) {
            component.cancel();
            break;
        }
    }
    const bool answered = component.headersReceived() && (component.stillExecuting() || component.completed());
    return answered ? Asked::Answered : Asked::NoAnswer;
}

qint64 DownloadEngine::resumableBytes(const QString& url, const QString& target, QString& validator)
{
    if (!records)
        return 0;
    const QString name = QFileInfo(target).fileName();
    const DownloadRecords::Partial partial = records->partial(name);
    QFile part(target + QStringLiteral(".part"));
    if (!partial.usable() || partial.url != url || part.size() != partial.bytes || !part.open(QIODevice::ReadOnly))
        return 0;
    // The part file lies in a folder others may write to: it is taken only when it is still
    // exactly what this program received. Reading it also primes the hash of the whole file.
    hash->reset();
    QByteArray buffer(int(ReadBytes), Qt::Uninitialized);
    for (qint64 got = part.read(buffer.data(), buffer.size()); got > 0; got = part.read(buffer.data(), buffer.size()))
        hash->add(buffer.constData(), size_t(got));
    if (QByteArray::fromStdString(Sha256::hex(hash->current())) != partial.digest) {
        hash->reset();
        return 0;
    }
    validator = partial.validator;
    return partial.bytes;
}

bool DownloadEngine::continuesAt(qint64 offset, qint64& total) const
{
    if (component.statusCode() != 206)
        return false;
    // "bytes <first>-<last>/<length>"
    static const QRegularExpression range(QStringLiteral("^bytes\\s+(\\d+)-(\\d+)/(\\d+)$"));
    const QRegularExpressionMatch match = range.match(component.header(QStringLiteral("Content-Range")).trimmed());
    if (!match.hasMatch())
        return false;
    const qint64 first = match.captured(1).toLongLong();
    const qint64 last = match.captured(2).toLongLong();
    const qint64 length = match.captured(3).toLongLong();
    if (first != offset || last != length - 1 || length <= offset)
        return false;
    total = length;
    return true;
}

QString DownloadEngine::answerValidator() const
{
    // If-Range takes only a strong entity tag.
    const QString tag = component.header(QStringLiteral("ETag")).trimmed();
    if (!tag.isEmpty() && !tag.startsWith(QStringLiteral("W/")))
        return tag;
    return component.header(QStringLiteral("Last-Modified")).trimmed();
}

void DownloadEngine::keepForResume(PartFile& sink, DownloadRecords::Partial partial, const QString& target,
                                   const DownloadProgress& progress)
{
    partial.digest = QByteArray::fromStdString(Sha256::hex(hash->current()));
    // Only a true beginning of a file the server can name is worth keeping.
    if (!records || !partial.usable() || !progress.lengthKnown() || partial.bytes >= progress.totalBytes() ||
        !sink.keep())
        return;
    records->recordPartial(QFileInfo(target).fileName(), partial);
}

void DownloadEngine::forgetPartial(const QString& target)
{
    QFile::remove(target + QStringLiteral(".part"));
    hash->reset();
    if (records)
        records->forgetPartial(QFileInfo(target).fileName());
}

bool DownloadEngine::receive(quint64 transfer, PartFile& sink, DownloadProgress& progress, Kind kind, qint64 maxBytes)
{
    const bool isList = kind != Kind::File;
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
            if (isList && progress.receivedBytes() + chunk.size() > maxBytes) {
                broken = true;
                addStatusLine(numbered(Str::AnswerTooLarge, maxBytes / 1024));
                component.cancel();
                return;
            }
            if (!isList)
                hash->add(chunk.constData(), size_t(chunk.size()));
            progress.add(chunk.size());
            if (!sink.write(chunk) || (progress.lengthKnown() && progress.receivedBytes() > progress.totalBytes())) {
                broken = true;
                return;
            }
        }
        if (!isList && component.stillExecuting())
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
    if (!isList)
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
            rateSuffix = rateSuffixText(*rate.bytesPerSecond(), progress.totalBytes() - progress.receivedBytes());
        setDownloadStatus(DownloadProgress::progressText(shown, progress.totalBytes(), state.str(Str::KbDownloaded),
                                                         state.str(Str::KbTotal)) +
                          rateSuffix);
    } else {
        setDownloadStatus(DownloadProgress::unknownLengthText(shown, state.str(Str::KbDownloaded)));
    }
}

QString DownloadEngine::rateSuffixText(double bytesPerSecond, qint64 bytesLeft) const
{
    return QStringLiteral(", ") + rateText(bytesPerSecond, bytesLeft, state.str(Str::TransferRate),
                                           state.str(Str::KbUnit), state.str(Str::MbUnit), interfaceLocale(state));
}

QString DownloadEngine::progressLabel(qint64 shown, qint64 total, double bytesPerSecond) const
{
    return DownloadProgress::progressText(shown, total, state.str(Str::KbDownloaded), state.str(Str::KbTotal)) +
           rateSuffixText(bytesPerSecond, total - shown);
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

bool DownloadEngine::fail(quint64 transfer, const QString& target, Kind kind)
{
    deadline->stop();
    if (superseded(transfer))
        return false;
    if (cancelled()) {
        component.cancel();
        // No partial list survives; a file's part was kept for the resume before we came here.
        if (kind != Kind::File)
            deleteFileWait(target, false);
        stopIfCancelled();
        return false;
    }
    if (deadlinePassed)
        addStatusLine(numbered(Str::AnswerTooSlow, timings.listDeadlineMs / 1000));
    if (kind == Kind::QuietList) {
        component.cancel();
        view.setTimeoutTimerActive(false);
        deleteFileWait(target, false);
        return false;
    }
    const bool isUpdateList = kind == Kind::List;
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

std::stop_token DownloadEngine::cancelToken() const
{
    return controls.cancelToken();
}

bool DownloadEngine::stopIfCancelled()
{
    const std::stop_token cancel = cancelToken();
    if (!cancel.stop_requested())
        return false;
    if (cancel == reportedCancel)
        return true;
    reportedCancel = cancel;
    view.setTimeoutTimerActive(false);
    view.hideStatusIcons();
    addStatusLine(state.str(Str::Cancelled));
    setDownloadStatus(state.str(Str::Cancelled));
    controls.enableControls(true);
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
