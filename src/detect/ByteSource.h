#pragma once

// Random access to the bytes of a file or of a buffer, read in small pieces so that a
// reader never has to hold a whole file. Standard library only.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

class ByteSource
{
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Fills out with count bytes from offset; false when they are not all there.
    virtual bool read(std::uint64_t offset, void* out, std::size_t count) = 0;
};

class MemoryByteSource : public ByteSource
{
public:
    MemoryByteSource(const std::uint8_t* data, std::size_t size) : data(data), length(size) {}
    std::uint64_t size() const override { return length; }
    bool read(std::uint64_t offset, void* out, std::size_t count) override;

private:
    const std::uint8_t* data;
    std::size_t length;
};

class FileByteSource : public ByteSource
{
public:
    explicit FileByteSource(const std::filesystem::path& path);
    bool isOpen() const { return opened; }
    std::uint64_t size() const override { return length; }
    bool read(std::uint64_t offset, void* out, std::size_t count) override;

private:
    std::ifstream file;
    std::uint64_t length = 0;
    bool opened = false;
};
