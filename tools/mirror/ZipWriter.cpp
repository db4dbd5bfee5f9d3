#include "ZipWriter.h"

#include <zip.h>

ZipWriter::ZipWriter(const std::filesystem::path& path)
{
    int code = 0;
    archive = zip_open(path.string().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        fail(path.string() + ": " + zip_error_strerror(&error));
        zip_error_fini(&error);
    }
}

ZipWriter::~ZipWriter()
{
    if (archive)
        zip_discard(archive);
}

void ZipWriter::fail(const std::string& what)
{
    if (problem.empty())
        problem = what;
}

void ZipWriter::add(const std::string& name, std::string bytes, bool stored)
{
    if (!archive || !problem.empty())
        return;
    const std::string& kept = contents.emplace_back(std::move(bytes));
    zip_source_t* source = zip_source_buffer(archive, kept.data(), kept.size(), 0);
    const zip_int64_t index = source ? zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0) {
        if (source)
            zip_source_free(source);
        fail(name + ": " + zip_strerror(archive));
        return;
    }
    if (stored)
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
}

bool ZipWriter::close()
{
    if (!archive)
        return false;
    if (!problem.empty())
        return false;
    if (zip_close(archive) != 0) {
        fail(zip_strerror(archive));
        return false;
    }
    archive = nullptr;
    contents.clear();
    return true;
}
