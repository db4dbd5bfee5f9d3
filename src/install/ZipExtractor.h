#pragma once

// Unpacks one zip archive into one folder (`unzipArchive`). The work runs on a thread of
// its own while the user-interface thread keeps handling events and shows the message
// lines in order; the password question is asked on the user-interface thread. One
// instance lives for the whole run, so the password skip flag does too.

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <thread>

struct AppState;
class Dialogs;
class ExtractionChannel;
class ExtractionView;
struct ExtractionEvent;
enum class ExtractionOutcome;

class ZipExtractor
{
public:
    static constexpr int ProgressMaximum = 100;

    ZipExtractor(AppState& state, Dialogs& dialogs, ExtractionView& view);
    ~ZipExtractor(); // stops a running extraction after its current entry
    ZipExtractor(const ZipExtractor&) = delete;
    ZipExtractor& operator=(const ZipExtractor&) = delete;

    // True when every entry of the archive is in the target folder. Existing files are
    // overwritten; keepFolders false puts every file straight into the target folder.
    // The archive is extracted whole into a staging folder first and only then moved
    // into place, all or nothing, with an undo point in installRoot (the target folder
    // when empty) that goes back to previousVersion. A damaged or refused archive is
    // deleted, so the next attempt downloads it again; one the target folder could not
    // take, or a cancelled one, is kept.
    bool unzipArchive(const QString& zipPath, const QString& targetFolder, bool keepFolders,
                      const QString& installRoot = {}, const QString& previousVersion = {},
                      std::stop_token cancel = {});
    // How the last unzipArchive ended.
    ExtractionOutcome lastOutcome() const { return outcome; }

    // One message line of the extraction, shown by the print rule.
    void unzipPrintCallback(const QString& message);
    // The password for an encrypted entry; nothing when the user gives none, which also
    // stops every later question of this run.
    std::optional<QByteArray> unzipPasswordCallback();

    // Why the last extraction failed, in the words of the system or the archive; empty
    // after a success.
    const QString& failureCause() const { return cause; }

    // Between entering and leaving UnzipArchive.
    bool running() const { return active; }
    // Asks a running extraction to end after the entry it is writing; UnzipArchive then
    // returns false and leaves the archive in place. User-interface thread only.
    void requestStop();
    // requestStop, then blocks until nothing is being written any more (the entry in
    // hand is finished or discarded), so the caller may end the process.
    void stopAndWait();

private:
    ExtractionOutcome waitForWorker();
    void handle(const ExtractionEvent& event);
    void addStatusLine(const QString& line);

    AppState& state;
    Dialogs& dialogs;
    ExtractionView& view;
    bool skipPassword = false;
    bool active = false;
    int barValue = 0;
    int barMaximum = ProgressMaximum;
    QObject wakeContext;
    std::function<void()> onWake;
    std::unique_ptr<ExtractionChannel> channel;
    std::thread worker;
    std::stop_token cancelToken; // the running extraction's Cancel button
    ExtractionOutcome outcome{}; // written by the worker before its last event, as is cause
    QString cause;
};
