#pragma once

// One value of an INI text, answered the way Windows' profile reader
// (GetPrivateProfileString) answers it with a buffer of 255 characters. Standard library
// only, so the Windows stage can compare it with the system's reader on the same files.
//
// The text is UTF-8 or UTF-16 after a byte-order mark, Windows-1252 without one. A line
// ends at every CR and every LF. A line starting with "[" and holding a "]" names a
// section (the text up to its last "]"); any other line is a key, up to its first "=".
// Names compare without the blanks around them, ignoring the case of ASCII letters; only
// the first section of a name counts, and in it the first key of a name. Values lose the
// blanks around them and one pair of matching quotes, and are cut to 254 characters.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

inline constexpr std::size_t IniBufferChars = 255;

// The value of key in section, or the default when there is none (also when the key's
// line has no "="). Allocates no more than one answer's worth, whatever the text.
std::u16string iniValueOf(std::string_view fileBytes, std::u16string_view section, std::u16string_view key,
                          std::u16string_view defaultValue);

// The same for a file; a file that cannot be read answers with the default.
std::u16string readIniFileValue(const std::filesystem::path& path, std::u16string_view section, std::u16string_view key,
                                std::u16string_view defaultValue);
