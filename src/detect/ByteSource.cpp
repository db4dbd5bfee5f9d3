#include "detect/ByteSource.h"

#include <cstring>

bool MemoryByteSource::read(std::uint64_t offset, void* out, std::size_t count)
{
    if (offset > length || count > length - offset)
        return false;
    if (count > 0)
        std::memcpy(out, data + offset, count);
    return true;
}

FileByteSource::FileByteSource(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return;
    file.open(path, std::ios::binary);
    if (!file)
        return;
    file.seekg(0, std::ios::end);
    const std::streamoff end = file.tellg();
    if (end < 0)
        return;
    length = static_cast<std::uint64_t>(end);
    opened = true;
}

bool FileByteSource::read(std::uint64_t offset, void* out, std::size_t count)
{
    if (!opened || offset > length || count > length - offset)
        return false;
    file.clear();
    file.seekg(static_cast<std::streamoff>(offset));
    file.read(static_cast<char*>(out), static_cast<std::streamsize>(count));
    return file.gcount() == static_cast<std::streamsize>(count);
}
