# Build settings shared by every target of the project.
add_library(krvnm_build_settings INTERFACE)
target_compile_features(krvnm_build_settings INTERFACE cxx_std_20)
target_compile_options(krvnm_build_settings INTERFACE -Wall -Wextra -pedantic)
target_compile_definitions(krvnm_build_settings INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_DISABLE_DEPRECATED_UP_TO=0x060400
    QT_NO_KEYWORDS)
if(WIN32)
    target_compile_definitions(krvnm_build_settings INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE)
endif()

# Each platform-specific file sits beside its portable part as Name_win.cpp / Name_unix.cpp.
function(krvnm_platform_source out_var base)
    if(WIN32)
        set(${out_var} "${base}_win.cpp" PARENT_SCOPE)
    else()
        set(${out_var} "${base}_unix.cpp" PARENT_SCOPE)
    endif()
endfunction()
