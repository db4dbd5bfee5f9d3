// Writes a stand-in game executable: a small PE file whose version resource names the
// given version, so the demo has a game to find and identify.
// Usage: krvnm-sample-game <path of korvane.exe> <version>

#include "PeFixtureWriter.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <path of korvane.exe> <version>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path target = argv[1];
    std::error_code ignored;
    std::filesystem::create_directories(target.parent_path(), ignored);
    const std::string version = argv[2];
    pefixture::PeLayout wanted;
    wanted.versionResource =
        pefixture::buildVersionInfo(pefixture::standardVersion(std::u16string(version.begin(), version.end())));
    if (!pefixture::WriteFile(target.u16string(), pefixture::buildPe(wanted).bytes)) {
        std::fprintf(stderr, "could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
