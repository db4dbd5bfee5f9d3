#pragma once

// A mirror of the game project's feed and build servers and of the maker's server, as
// plain files any static web server can serve from one folder:
//   /versions.txt                                   the release feed
//   /binaries/releases/index.html                   the listing, its table on one line
//   /binaries/releases/<version>/korvane-<version>-windows-<platform>.zip, changelog.txt
//   /binaries/nightlies/trunk/<revision>/korvane-trunk-<revision>-windows-<platform>.zip
//   /files/updates.php, krvnm_baseset.zip, updater.exe, krvnm.exe
// Every archive and program file has its SHA-256 beside it in "<file>.sha256".
// Every build archive holds a korvane.exe whose version resource names that build.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

struct MirrorRelease
{
    std::string version;
    std::string date; // yyyy-mm-dd
};

struct MirrorCatalogue
{
    MirrorRelease stable{"1.4.1", "2024-04-01"};
    MirrorRelease beta{"1.5.0-beta2", "2024-05-02"};
    MirrorRelease candidate{"1.5.0-RC1", "2024-05-20"}; // the feed's "rc" line, so the beta row shows it
    MirrorRelease nightly{"r27012", "2024-06-01"};
    // Listed folders besides the stable's and the two betas', in the listing's order.
    std::vector<MirrorRelease> older{{"0.3.2.1", "2010-02-14"}, {"0.7.5", "2010-12-24"}, {"1.0.0", "2011-04-01"},
                                     {"1.0.1", "2011-05-02"},   {"1.1.0", "2011-10-01"}, {"1.1.5", "2012-01-05"},
                                     {"1.2.0", "2012-05-01"},   {"1.2.1", "2012-07-01"}, {"1.3.0", "2013-01-10"},
                                     {"1.3.2", "2013-03-20"},   {"1.3.3", "2013-05-01"}, {"1.4.0", "2013-08-12"}};
    std::string folderWithoutDot = "testing"; // a folder the listing shows that is no release
    std::string makerVersion = "1.0.5";       // what updates.php answers
    // Game data in the candidate's archives (the beta row shows the candidate), more than
    // the program's transfer buffers hold, so the tour can interrupt the download and resume it.
    std::size_t candidatePayloadBytes = 24 << 20;
};

// The archive name of a build: korvane-<version>-windows-<platform>.zip ("trunk-" before
// the version of a nightly).
std::string buildArchiveName(const std::string& version, const std::string& platform, bool nightly);

// One build archive: korvane.exe naming version, a few data files in folders, and
// payloadBytes of game data in "data/payload.bin" (0: none).
bool writeBuildArchive(const std::filesystem::path& path, const std::string& version, const std::string& platform,
                       std::size_t payloadBytes, std::string& error);

// Writes the whole mirror into folder (created when missing). False with error set on failure.
bool writeMirror(const std::filesystem::path& folder, const MirrorCatalogue& catalogue, std::string& error);
