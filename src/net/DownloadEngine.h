#pragma once

// The download engine: prepares the connection, fetches one address into one file with
// progress, status texts and a time-out countdown, and logs into the status list.

#include "net/TransferRate.h"

#include <QObject>
#include <QString>

#include <cstdint>

struct AppState;
struct DownloadTimings;
class DownloadProgress;
class DownloadView;
class MainControls;
class PartFile;
class Platform;
class TransferComponent;

class DownloadEngine : public QObject
{
    Q_OBJECT

public:
    static constexpr std::uint8_t CountdownStart = 15;

    DownloadEngine(AppState& state, TransferComponent& component, Platform& platform, const DownloadTimings& timings,
                   DownloadView& view, MainControls& controls, QObject* parent = nullptr);

    // Hands the proxy settings to the component; false only when the system says it is offline.
    bool prepareConnection();
    // Fetches url into target; true when the whole body is in the target file.
    bool downloadFile(const QString& url, const QString& target, bool isUpdateList, int pauseMs);
    // Ends the running transfer as failed.
    void abortDownload(bool isUpdateList = false);
    // Appends a line to the status list unless it is shorter than four characters.
    void addStatusLine(const QString& line);

    void countDownToTimeout();
    void onTransferStateChanged(int state);

    // Sets `lblDownloadStatus` when the text differs from the one set last. Whoever else
    // writes the label goes through here too, so that the engine's memory of it stays true.
    void setDownloadStatus(const QString& text);

    std::uint8_t countdown() const { return countdownValue; }

private:
    enum class Wake
    {
        Activity,
        ProgramEnding
    };

    // False, with the status line, when the target's volume has no room for the announced length.
    bool roomFor(const QString& target, qint64 length);
    bool fail(quint64 transfer, const QString& target, bool isUpdateList);
    // AbortDownload; false when a newer transfer started while the controls were enabled.
    bool abortTransfer(bool isUpdateList);
    bool receive(quint64 transfer, PartFile& sink, DownloadProgress& progress, bool isUpdateList);
    void showProgress(DownloadProgress& progress, bool final);
    Wake waitForActivity();
    bool superseded(quint64 transfer) const { return transfer != newestTransfer; }

    AppState& state;
    TransferComponent& component;
    Platform& platform;
    const DownloadTimings& timings;
    DownloadView& view;
    MainControls& controls;
    std::uint8_t countdownValue = 0;
    // Numbers the DownloadFile calls. A call that yields (waiting, or enabling the controls)
    // may find a newer call has run meanwhile; the component and the controls are then that
    // one's, and the older call leaves them alone.
    quint64 newestTransfer = 0;
    // The transfer an abort has ended and reported; its failure path does not report again.
    quint64 abortedTransfer = 0;
    QString label; // the text last given to the view
    qint64 displayedBytes = 0;
    qint64 lastRefreshMs = -1;
    TransferRate rate;
    QString rateSuffix; // ", 4.2 MB/s, 0:38 left" once known
};
