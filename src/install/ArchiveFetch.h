#pragma once

// Brings an installation's archive into the work folder and vouches for it before
// anything is unpacked: the build server may publish its SHA-256 at the archive's address
// plus ".sha256". An archive already there is reused only when it matches that checksum
// or, when none is published, the one this program recorded when it downloaded it.

#include <QByteArray>
#include <QString>

#include <functional>
#include <stop_token>

struct AppState;
struct AppServices;
struct ArchiveSource;
class DownloadEngine;

class ArchiveFetch
{
public:
    enum class Result
    {
        Ready,   // the archive is in place, verified or reported as not verifiable
        Stopped, // the download failed or was cancelled, and the engine has reported it
        Refused  // a wrong or missing checksum: reported, the archive is gone
    };

    // The largest checksum file taken.
    static constexpr qint64 ChecksumLimitBytes = 4 * 1024;

    ArchiveFetch(AppState& state, AppServices& services, DownloadEngine& engine);

    // beforeDownload runs just before a download starts (the row shows it downloading).
    Result obtain(const ArchiveSource& archive, int pauseMs, const std::function<void()>& beforeDownload = {});

    // The checksum in a ".sha256" file: 64 hexadecimal digits, optionally followed by
    // blanks and a file name, as sha256sum writes it. Lower case; empty when text is none.
    static QByteArray parseChecksum(const QByteArray& text);
    // The SHA-256 of a file, hexadecimal; empty when it cannot be read or cancel is requested.
    static QByteArray fileDigest(const QString& path, const std::stop_token& cancel = {});

private:
    QByteArray publishedChecksum(const QString& address);
    void refuse(int row, const QString& fileName);

    AppState& state;
    AppServices& services;
    DownloadEngine& engine;
};
