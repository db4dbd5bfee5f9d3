// Writes the seed inputs of the PE reader's fuzzing: well-formed images of both word
// sizes with version resources in several languages, so the fuzzer starts deep inside
// the format.

#include "PeFixtureWriter.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    int written = 0;
    const std::pair<std::uint16_t, std::uint16_t> translations[] = {{0x0409, 1200}, {0x0407, 1252}, {0x0411, 932}};
    for (bool pe32Plus : {false, true}) {
        for (const auto& [language, codePage] : translations) {
            pefixture::PeLayout wanted;
            wanted.pe32Plus = pe32Plus;
            wanted.resourceLanguage = language;
            wanted.versionResource =
                pefixture::buildVersionInfo(pefixture::standardVersion(u"1.4.0", language, codePage));
            const auto file = pefixture::buildPe(wanted);
            const std::string name = "seed-" + std::to_string(written++) + ".exe";
            if (!pefixture::WriteFile(folder / name, file.bytes))
                return 1;
        }
    }
    return 0;
}
