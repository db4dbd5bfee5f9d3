#pragma once

// Writes a zip archive entry by entry (libzip). The entries' bytes are kept until close(),
// which is when libzip reads and compresses them.

#include <deque>
#include <filesystem>
#include <string>

struct zip;

class ZipWriter
{
public:
    explicit ZipWriter(const std::filesystem::path& path);
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // name may hold folders ("lang/english.txt"); stored: no compression (for bulk payloads).
    void add(const std::string& name, std::string bytes, bool stored = false);
    // True when every entry was added and the archive was written.
    bool close();
    const std::string& error() const { return problem; }

private:
    void fail(const std::string& what);

    zip* archive = nullptr;
    std::deque<std::string> contents;
    std::string problem;
};
