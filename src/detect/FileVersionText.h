#pragma once

// The "FileVersion" text of a file's version resource, read by our own PE reader: the
// same code on every system, standard library only.

#include <filesystem>
#include <string>

class ByteSource;

// The text, cut at its first NUL; empty when the file cannot be read, is not a PE
// image, or has no version resource with a first translation and its FileVersion.
std::u16string getFileVersionText(const std::filesystem::path& path);
std::u16string fileVersionTextOf(ByteSource& source);
