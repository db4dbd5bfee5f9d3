// Writes the seed inputs of the INI reader's fuzzing: the files of the answers learnt from
// Windows, each behind the byte that picks the first question.

#include "IniCorpus.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
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
    for (const inicorpus::Case& c : inicorpus::cases()) {
        if (c.bytes == inicorpus::Missing)
            continue;
        std::ofstream out(folder / ("seed-" + std::to_string(written++) + ".ini"), std::ios::binary);
        out << '\0' << c.bytes;
        if (!out)
            return 1;
    }
    std::printf("%d seeds\n", written);
    return 0;
}
