#pragma once

// What the release feed and the build server's listing are read with: lines, separators,
// keywords and the names the servers give. Standard library only; nothing is allocated.

#include <cstddef>
#include <string_view>

// The lines of a text, without their ends. A line ends at LF, CR LF or CR; CR CR LF is
// one end too, as the line-end conversion makes it of a CR LF the server sent.
class LineReader
{
public:
    explicit LineReader(std::string_view text) : rest(text) {}
    // The next line; false after the last.
    bool next(std::string_view& line);

private:
    std::string_view rest;
};

// True when needle occurs in text, comparing ASCII letters without case.
bool containsIgnoringCase(std::string_view text, std::string_view needle);

// `countSeparators`: 0 when the text is empty or holds no separator (ignoring case);
// otherwise the number of pieces that cutting at the separator (exact case) gives, minus one.
std::size_t countSeparators(std::string_view text, std::string_view separator);

// Whether a version, revision or folder name from a server may become part of an address
// or a file name: not only blanks, no "/", "\", ":", "..", no control character, at most
// 64 characters (UTF-8).
bool isPlainName(std::string_view name);
