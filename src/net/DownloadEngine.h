#pragma once

// The download engine: prepares the connection, fetches one address into one file with
// progress, status texts and a time-out countdown, and logs into the status list.

#include "net/DownloadRecords.h"
#include "net/TransferRate.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <stop_token>

struct AppState;
struct DownloadTimings;
class DownloadProgress;
class DownloadView;
class MainControls;
class PartFile;
class Platform;
class QTimer;
class Sha256;
class TransferComponent;

class DownloadEngine : public QObject
{
    Q_OBJECT

public:
    static constexpr std::uint8_t CountdownStart = 15;
    // A list transfer larger than this is refused; it is no list we could use.
    static constexpr qint64 ListLimitBytes = 4 * 1024 * 1024;

    DownloadEngine(AppState& state, TransferComponent& component, Platform& platform, const DownloadTimings& timings,
                   DownloadView& view, MainControls& controls, QObject* parent = nullptr);
    ~DownloadEngine() override;

    // Where the engine remembers the SHA-256 of finished downloads and how far interrupted
    // ones got; without records an interrupted download starts again from zero.
    void setRecords(DownloadRecords* records) { this->records = records; }
    DownloadRecords* downloadRecords() const { return records; }

    // Hands the proxy settings to the component; false only when the system says it is offline.
    bool prepareConnection();
    // Fetches url into target; true when the whole body is in the target file. A file
    // transfer that is cut off keeps what it got, and the next one of the same address goes
    // on from there when the server still has the same file.
    bool downloadFile(const QString& url, const QString& target, bool isUpdateList, int pauseMs);
    // A small list transfer for which failing is an answer (a checksum that is not
    // published): at most maxBytes into target, and on failure only the file is deleted.
    bool fetchSmallFile(const QString& url, const QString& target, qint64 maxBytes);
    // The SHA-256 (hexadecimal) of the file the last successful file transfer wrote.
    const QByteArray& lastDigest() const { return digest; }
    // Ends the running transfer as failed.
    void abortDownload(bool isUpdateList = false);
    // The Cancel button's request for the busy job, for the work the engine hands it to.
    std::stop_token cancelToken() const;
    bool cancelled() const { return cancelToken().stop_requested(); }
    // When it has: the first call of the job says "Cancelled.", hides the row icons and
    // brings the window back to idle; every call then returns true. A transfer that the
    // request cuts off ends here by itself, keeping a file transfer's part for the resume.
    bool stopIfCancelled();
    // Appends a line to the status list unless it is shorter than four characters.
    void addStatusLine(const QString& line);

    void countDownToTimeout();
    void onTransferStateChanged(int state);

    // Sets `lblDownloadStatus` when the text differs from the one set last. Whoever else
    // writes the label goes through here too, so that the engine's memory of it stays true.
    void setDownloadStatus(const QString& text);

    std::uint8_t countdown() const { return countdownValue; }

    // The label of a file transfer at shown of total bytes and that speed: the progress
    // text, then ", 4.2 MB/s, 0:38 left" in the interface language.
    QString progressLabel(qint64 shown, qint64 total, double bytesPerSecond) const;

private:
    enum class Wake
    {
        Activity,
        ProgramEnding
    };
    enum class Kind
    {
        File,
        List,
        QuietList // fetchSmallFile
    };
    enum class Asked
    {
        Answered,
        NoAnswer,
        Superseded
    };

    // False, with the status line, when the target's volume has no room for the announced length.
    bool roomFor(const QString& target, qint64 length);
    bool transferFile(const QString& url, const QString& target, Kind kind, int pauseMs, qint64 maxBytes);
    Asked ask(quint64 transfer, const QString& url, qint64 offset, const QString& validator);
    // The length of the part file an earlier download of url left, with the hash primed
    // with its bytes; 0 when there is none to go on with.
    qint64 resumableBytes(const QString& url, const QString& target, QString& validator);
    // Whether the answer continues the file at offset (206 with the matching range).
    bool continuesAt(qint64 offset, qint64& total) const;
    QString answerValidator() const;
    // The answer's Content-Length into total when it has one; false when it is no length.
    bool announcedLength(qint64& total) const;
    // Language string row with its "#1#" replaced by number.
    QString numbered(int row, qint64 number) const;
    void keepForResume(PartFile& sink, DownloadRecords::Partial partial, const QString& target,
                       const DownloadProgress& progress);
    // Deletes the part file and its record; the hash starts again.
    void forgetPartial(const QString& target);
    bool fail(quint64 transfer, const QString& target, Kind kind);
    // AbortDownload; false when a newer transfer started while the controls were enabled.
    bool abortTransfer(bool isUpdateList);
    bool receive(quint64 transfer, PartFile& sink, DownloadProgress& progress, Kind kind, qint64 maxBytes);
    void showProgress(DownloadProgress& progress, bool final);
    QString rateSuffixText(double bytesPerSecond, qint64 bytesLeft) const;
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
    DownloadRecords* records = nullptr;
    std::unique_ptr<Sha256> hash;
    QByteArray digest;
    // A list transfer's overall time: a server that drips its answer cannot hold the window.
    QTimer* deadline;
    bool deadlinePassed = false;
    qint64 displayedBytes = 0;
    qint64 lastRefreshMs = -1;
    std::stop_token reportedCancel; // the job whose cancellation has been told
    TransferRate rate;
    QString rateSuffix; // ", 4.2 MB/s, 0:38 left" once known
};
