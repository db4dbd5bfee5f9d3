// Writes seed archives for the zip extraction fuzz target: stored, deflated and bzip2
// entries, folders, ZipCrypto and AES entries, a name with a UTF-8 flag, a link.
// Usage: unzip-seed-writer <corpus folder>

#include <zip.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace {

// The bytes must outlive the archive: libzip reads them when it is closed.
bool Add(zip_t* archive, const char* name, std::string_view data, int method, std::uint16_t encryption = ZIP_EM_NONE)
{
    if (encryption != ZIP_EM_NONE && !zip_encryption_method_supported(encryption, 1))
        return true;
    zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
    const zip_int64_t index = source ? zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8) : -1;
    if (index < 0) {
        zip_source_free(source);
        return false;
    }
    return zip_set_file_compression(archive, zip_uint64_t(index), method, 0) == 0 &&
           (encryption == ZIP_EM_NONE ||
            zip_file_set_encryption(archive, zip_uint64_t(index), encryption, "secret") == 0);
}

bool write(const std::string& path, bool (*fill)(zip_t*))
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive || !fill(archive)) {
        if (archive)
            zip_discard(archive);
        return false;
    }
    return zip_close(archive) == 0;
}

const std::string Text = std::string("Korvane build notes. ") + std::string(300, 'x') + "\n";
constexpr std::string_view Digits = "0123456789";

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const bool written =
        write(folder + "/plain.zip",
              [](zip_t* a) {
                  return zip_dir_add(a, "data", ZIP_FL_ENC_UTF_8) >= 0 &&
                         Add(a, "data/readme.txt", Text, ZIP_CM_DEFLATE) &&
                         Add(a, "stored.bin", Digits, ZIP_CM_STORE) &&
                         Add(a,
                             "Gr\xc3\xbc\xc3\x9f"
                             "e.txt",
                             Text, ZIP_CM_BZIP2);
              }) &&
        write(folder + "/encrypted.zip",
              [](zip_t* a) {
                  return Add(a, "crypto.txt", Text, ZIP_CM_DEFLATE, ZIP_EM_TRAD_PKWARE) &&
                         Add(a, "aes.txt", Text, ZIP_CM_STORE, ZIP_EM_AES_256);
              }) &&
        write(folder + "/link.zip", [](zip_t* a) {
            const zip_int64_t index = zip_file_add(a, "link", zip_source_buffer(a, "..", 2, 0), 0);
            return index >= 0 &&
                   zip_file_set_external_attributes(a, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, 0120777u << 16) == 0 &&
                   Add(a, "link/x", Digits, ZIP_CM_STORE);
        });
    if (!written) {
        std::fprintf(stderr, "could not write the seed archives\n");
        return 1;
    }
    return 0;
}
