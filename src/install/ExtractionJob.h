#pragma once

// One extraction run on the extraction thread: opens the archive with libzip, checks
// every entry before anything is written, then writes the entries one by one and
// reports a message line for each through the channel.

#include "install/EntryName.h"

#include <QByteArray>
#include <QDateTime>
#include <QSet>
#include <QString>

#include <optional>
#include <stop_token>
#include <vector>

class ExtractionChannel;
class StagingArea;
struct zip;

struct ExtractionRequest
{
    QString zipPath;
    QString targetFolder;
    bool keepFolders = true;
    // Where the staging folder, the journal and the backup live: the target folder or
    // a folder above it (the game folder for the base set). Empty: the target folder.
    QString installRoot;
    // The game version the undo point goes back to.
    QString previousVersion;
};

enum class ExtractionOutcome
{
    Extracted,         // every entry is in place
    Failed,            // the archive is damaged or refused
    DestinationFailed, // the game folder could not take it (space, permission, a link); it is as it was
    Stopped,           // a stop was requested before anything moved into the target folder
    StoppedAndUndone   // cancelled during the moves into place: every moved file was put back
};

class ExtractionJob
{
public:
    // cancel is the Cancel button's: the extraction stops after the entry in hand, the
    // moves into place are undone.
    ExtractionJob(ExtractionRequest request, ExtractionChannel& channel, std::stop_token cancel = {});
    ~ExtractionJob();
    ExtractionJob(const ExtractionJob&) = delete;
    ExtractionJob& operator=(const ExtractionJob&) = delete;

    ExtractionOutcome run();
    // Why the first failing step failed, as told to the status list; empty when none failed.
    const QString& failureCause() const { return cause; }

    // The sum of the uncompressed sizes of the archive's entries: what staging it takes
    // on the destination's volume. Nothing when the archive cannot be read.
    static std::optional<std::uint64_t> payloadSize(const QString& zipPath);

private:
    struct Entry
    {
        std::uint64_t index = 0;
        QString name;
        EntryName path;
        int method = 0;
        bool encrypted = false;
        std::uint16_t encryption = 0;
        std::uint32_t crc = 0;
        std::optional<std::uint64_t> size;
        QDateTime modified;
    };
    struct FolderTime
    {
        QString path;
        QDateTime modified;
    };

    bool plan(zip* archive, std::vector<Entry>& entries);
    bool extract(zip* archive, const Entry& entry);
    ExtractionOutcome install(StagingArea& staging);
    bool extractFile(zip* archive, const Entry& entry, const QString& destination);
    struct zip_file* openEntry(zip* archive, const Entry& entry);
    bool makeFolder(const QString& path);
    bool fail(const Entry& entry, const QString& reason);
    void failed(const QString& reason, const QString& line);
    bool destinationFail(const Entry& entry, const QString& reason);
    // Shutting down, or the Cancel button.
    bool stopRequested() const;
    void say(const QString& line);
    void forgetPassword();
    void restoreFolderTimes();

    ExtractionRequest request;
    ExtractionChannel& channel;
    std::stop_token cancel;
    std::optional<QByteArray> password;
    std::vector<char> buffer;
    std::vector<FolderTime> folderTimes;
    QSet<QString> madeFolders;
    QString cause;
    QString stagedTarget; // where the entries are written: the target folder's place in the staging folder
    bool destinationFault = false;
};
