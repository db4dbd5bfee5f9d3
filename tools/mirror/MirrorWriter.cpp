#include "MirrorWriter.h"

#include "PeFixtureWriter.h"
#include "ZipWriter.h"
#include "net/Sha256.h"

#include <algorithm>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

const char* const Platforms[] = {"win9x", "win32", "win64"};

std::u16string wide(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

std::string executable(const std::string& version, bool pe32Plus)
{
    pefixture::PeLayout wanted;
    wanted.pe32Plus = pe32Plus;
    wanted.versionResource = pefixture::buildVersionInfo(pefixture::standardVersion(wide(version)));
    const pefixture::Bytes bytes = pefixture::buildPe(wanted).bytes;
    return std::string(bytes.begin(), bytes.end());
}

bool writeText(const fs::path& path, const std::string& text, std::string& error)
{
    std::error_code ignored;
    fs::create_directories(path.parent_path(), ignored);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file)
        error = "cannot write " + path.string();
    return static_cast<bool>(file);
}

// "<file>.sha256" beside the file, as sha256sum writes it.
bool publishChecksum(const fs::path& path, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    Sha256 hash;
    std::string buffer(1 << 20, '\0');
    while (file.read(buffer.data(), std::streamsize(buffer.size())) || file.gcount() > 0)
        hash.add(buffer.data(), std::size_t(file.gcount()));
    if (file.bad()) {
        error = "cannot read " + path.string();
        return false;
    }
    return writeText(fs::path(path.string() + ".sha256"),
                     Sha256::hex(hash.current()) + "  " + path.filename().string() + "\n", error);
}

// Game data that compresses about as well as real game data does: runs of repeated
// bytes between random ones.
std::string payload(std::size_t size)
{
    std::string bytes(size, '\0');
    std::mt19937 random(26400);
    for (std::size_t i = 0; i < size;) {
        const std::size_t run = std::min<std::size_t>(size - i, 1 + random() % 24);
        const char value = static_cast<char>(random());
        const bool repeated = random() % 2 == 0;
        for (std::size_t j = 0; j < run; ++j)
            bytes[i + j] = repeated ? value : static_cast<char>(random());
        i += run;
    }
    return bytes;
}

std::string changelog(const std::string& version, const std::string& date)
{
    return "Korvane " + version + " (" + date + ")\n------\n- Fixes and translations.\n";
}

bool writeBuildFolder(const fs::path& folder, const MirrorRelease& release, bool nightly, std::string& error,
                      std::size_t payloadBytes = 0)
{
    for (const char* platform : Platforms)
        if (!writeBuildArchive(folder / buildArchiveName(release.version, platform, nightly), release.version, platform,
                               payloadBytes, error))
            return false;
    return writeText(folder / "changelog.txt", changelog(release.version, release.date), error);
}

// One table row as the build server writes it: link, date and time, size.
std::string listingRow(const std::string& href, const std::string& name, const std::string& date)
{
    return "<tr><td><a href=\"" + href + "\">" + name + "</a></td><td align=\"right\">" + date +
           " 12:00  </td><td align=\"right\">  - </td><td>&nbsp;</td></tr>";
}

std::string listing(const MirrorCatalogue& catalogue)
{
    std::vector<MirrorRelease> folders = catalogue.older;
    folders.push_back(catalogue.stable);
    folders.push_back(catalogue.beta);
    folders.push_back(catalogue.candidate);
    folders.push_back({catalogue.folderWithoutDot, "2014-01-01"});
    std::sort(folders.begin(), folders.end(),
              [](const MirrorRelease& a, const MirrorRelease& b) { return a.version < b.version; });
    // The whole table on one line, as the real listing has it.
    std::string table = "<table><tr><th><a href=\"?C=N;O=D\">Name</a></th><th><a href=\"?C=M;O=A\">Last "
                        "modified</a></th><th><a href=\"?C=S;O=A\">Size</a></th><th>Description</th></tr>" +
                        listingRow("/binaries/", "Parent Directory", "");
    for (const MirrorRelease& folder : folders)
        table += listingRow(folder.version + "/", folder.version + "/", folder.date);
    table += "</table>";
    return "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\n<html>\n<head>\n<title>Index of "
           "/binaries/releases</title>\n</head>\n<body>\n<h1>Index of /binaries/releases</h1>\n" +
           table + "\n</body></html>\n";
}

bool writeBaseSet(const fs::path& path, std::string& error)
{
    ZipWriter zip(path);
    // Stored in a folder; the program unpacks it flat into the game's base-set folder.
    for (const char* name : {"gm_tt00.gm", "gm_tt21.gm", "sample.cat"})
        zip.add(std::string("krvnm_baseset/") + name, std::string("base set file ") + name + "\n");
    zip.add("krvnm_baseset/readme.txt", "A complete base set: graphics, sound and music.\n");
    if (!zip.close()) {
        error = zip.error();
        return false;
    }
    return publishChecksum(path, error);
}

} // namespace

std::string buildArchiveName(const std::string& version, const std::string& platform, bool nightly)
{
    return std::string(nightly ? "korvane-trunk-" : "korvane-") + version + "-windows-" + platform + ".zip";
}

bool writeBuildArchive(const fs::path& path, const std::string& version, const std::string& platform,
                       std::size_t payloadBytes, std::string& error)
{
    std::error_code ignored;
    fs::create_directories(path.parent_path(), ignored);
    ZipWriter zip(path);
    zip.add("korvane.exe", executable(version, platform == "win64"));
    zip.add("lang/english.txt", "##name English\n##version " + version + "\n");
    zip.add("ai/compat_" + version + ".nut", "// AI compatibility for " + version + "\n");
    zip.add("docs/readme.txt", "Korvane " + version + " for " + platform + "\n");
    if (payloadBytes > 0)
        zip.add("data/payload.bin", payload(payloadBytes));
    if (!zip.close()) {
        error = zip.error();
        return false;
    }
    return publishChecksum(path, error);
}

bool writeMirror(const fs::path& folder, const MirrorCatalogue& catalogue, std::string& error)
{
    const MirrorRelease& c = catalogue.candidate;
    const std::string feed = catalogue.stable.version + "\t" + catalogue.stable.date + "\tstable\n" +
                             catalogue.beta.version + "\t" + catalogue.beta.date + "\tbeta\n" + c.version + "\t" +
                             c.date + "\trc\n" + catalogue.nightly.version + "\t" + catalogue.nightly.date +
                             "\tnightlies/trunk\n";
    if (!writeText(folder / "versions.txt", feed, error))
        return false;

    const fs::path releases = folder / "binaries" / "releases";
    if (!writeText(releases / "index.html", listing(catalogue), error))
        return false;
    std::vector<MirrorRelease> builds = catalogue.older;
    builds.insert(builds.end(), {catalogue.stable, catalogue.beta, catalogue.candidate});
    for (const MirrorRelease& release : builds) {
        const bool candidate = release.version == catalogue.candidate.version;
        if (!writeBuildFolder(releases / release.version, release, false, error,
                              candidate ? catalogue.candidatePayloadBytes : 0))
            return false;
    }
    if (!writeText(releases / catalogue.folderWithoutDot / "readme.txt", "Test builds, not releases.\n", error))
        return false;
    if (!writeBuildFolder(folder / "binaries" / "nightlies" / "trunk" / catalogue.nightly.version, catalogue.nightly,
                          true, error))
        return false;

    const fs::path files = folder / "files";
    // Served as a static file: the query string the program sends is not looked at.
    if (!writeText(files / "updates.php", "[KRVNM]\nversion=" + catalogue.makerVersion + "\n", error) ||
        !writeBaseSet(files / "krvnm_baseset.zip", error) ||
        !writeText(files / "updater.exe", executable(catalogue.makerVersion, false), error) ||
        !writeText(files / "krvnm.exe", executable(catalogue.makerVersion, false), error) ||
        !publishChecksum(files / "updater.exe", error) || !publishChecksum(files / "krvnm.exe", error))
        return false;
    return true;
}
