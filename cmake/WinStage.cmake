# The Win32 layer without Qt, cross-built with MinGW; its tests run under Wine
# against the real Windows API.
add_library(krvnm_win STATIC
    src/sysinfo/MemoryQuery_win.cpp
    src/lang/LanguageRules.cpp
    src/sysinfo/LocaleApi_win.cpp
    src/sysinfo/SystemApi_win.cpp
    src/sysinfo/WindowsLocales.cpp
    src/sysinfo/WinVersion.cpp)
target_include_directories(krvnm_win PUBLIC src)
target_link_libraries(krvnm_win PUBLIC krvnm_build_settings wininet)
target_link_options(krvnm_win INTERFACE -static)

# The PE version reader and the writer its Windows test compares with the system.
include("${PROJECT_SOURCE_DIR}/src/detect/PeReader.cmake")
add_subdirectory(tools/pewriter)

enable_testing()
add_subdirectory(tests/win)

# The INI reader of the self-update answer, compared with the system's profile reader.
target_sources(krvnm_win PRIVATE src/updates/IniReader.cpp)

# SHA-256 over Windows' CNG, compared with published test vectors.
target_sources(krvnm_win PRIVATE src/net/Sha256.cpp src/net/Sha256_win.cpp)
target_link_libraries(krvnm_win PUBLIC bcrypt)
