// The servers' files on one machine.
// Usage: krvnm-mirror write <folder> [--payload-mb N]   writes the mirror (N MB of game
//                                                          data in the stable's archives)
//        krvnm-mirror serve <folder> [port]              serves it on 127.0.0.1 (port 0 or
//                                                          none: a free one) and prints the
//                                                          base address

#include "MirrorWriter.h"

#include <httplib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

int usage(const char* program)
{
    std::fprintf(stderr, "usage: %s write <folder> [--payload-mb N]\n       %s serve <folder> [port]\n", program,
                 program);
    return 2;
}

int write(const std::string& folder, std::size_t payloadMegabytes)
{
    MirrorCatalogue catalogue;
    std::string error;
    if (!writeMirror(folder, catalogue, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    if (payloadMegabytes > 0) {
        const std::filesystem::path releases = std::filesystem::path(folder) / "binaries" / "releases";
        for (const char* platform : {"win9x", "win32", "win64"}) {
            const std::string name = buildArchiveName(catalogue.stable.version, platform, false);
            if (!writeBuildArchive(releases / catalogue.stable.version / name, catalogue.stable.version, platform,
                                   payloadMegabytes << 20, error)) {
                std::fprintf(stderr, "%s\n", error.c_str());
                return 1;
            }
        }
    }
    std::printf("Mirror written to %s\n", folder.c_str());
    return 0;
}

int serve(const std::string& folder, int port)
{
    httplib::Server server;
    if (!server.set_mount_point("/", folder)) {
        std::fprintf(stderr, "%s is not a folder\n", folder.c_str());
        return 1;
    }
    // As a static web server does: a validator for each file, and the rest of a file only
    // while If-Range still names it.
    server.set_file_request_handler([folder](const httplib::Request& request, httplib::Response& response) {
        std::error_code error;
        const std::filesystem::path path = std::filesystem::path(folder) / request.path.substr(1);
        const auto size = std::filesystem::file_size(path, error);
        const auto modified = std::filesystem::last_write_time(path, error).time_since_epoch().count();
        if (error)
            return;
        const std::string tag = "\"" + std::to_string(size) + "-" + std::to_string(modified) + "\"";
        response.set_header("ETag", tag);
        if (request.has_header("If-Range") && request.get_header_value("If-Range") != tag) {
            response.status = 200;
            // The library would otherwise cut the answer to the range asked for.
            const_cast<httplib::Request&>(request).ranges.clear();
        }
    });
    const char* host = "127.0.0.1";
    if (port == 0)
        port = server.bind_to_any_port(host);
    else if (!server.bind_to_port(host, port))
        port = -1;
    if (port <= 0) {
        std::fprintf(stderr, "cannot listen on %s\n", host);
        return 1;
    }
    std::printf("http://%s:%d\n", host, port);
    std::fflush(stdout);
    return server.listen_after_bind() ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3)
        return usage(argv[0]);
    const std::string verb = argv[1];
    if (verb == "write" && argc == 3)
        return write(argv[2], 0);
    if (verb == "write" && argc == 5 && std::string(argv[3]) == "--payload-mb")
        return write(argv[2], std::strtoul(argv[4], nullptr, 10));
    if (verb == "serve" && argc <= 4)
        return serve(argv[2], argc == 4 ? std::atoi(argv[3]) : 0);
    return usage(argv[0]);
}
