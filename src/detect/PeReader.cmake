# The PE version reader, standard library only: the program, the Windows stage and the
# fuzz build all compile it from this one list.
add_library(krvnm_pe STATIC
    "${CMAKE_CURRENT_LIST_DIR}/ByteSource.cpp"
    "${CMAKE_CURRENT_LIST_DIR}/ByteSource.h"
    "${CMAKE_CURRENT_LIST_DIR}/FileVersionText.cpp"
    "${CMAKE_CURRENT_LIST_DIR}/FileVersionText.h"
    "${CMAKE_CURRENT_LIST_DIR}/PeImage.cpp"
    "${CMAKE_CURRENT_LIST_DIR}/PeImage.h"
    "${CMAKE_CURRENT_LIST_DIR}/VersionInfo.cpp"
    "${CMAKE_CURRENT_LIST_DIR}/VersionInfo.h")
target_include_directories(krvnm_pe PUBLIC "${CMAKE_CURRENT_LIST_DIR}/..")
target_link_libraries(krvnm_pe PRIVATE krvnm_build_settings)
