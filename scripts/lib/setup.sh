# Shared by the scripts: what the build needs on Debian 12, installed only when missing
# (apt needs root).

BUILD_PACKAGES=(cmake ninja-build pkg-config g++ ccache qt6-base-dev qt6-base-dev-tools libzip-dev libssl-dev
    libcpp-httplib-dev fonts-dejavu-core)
TEST_PACKAGES=(g++-mingw-w64-x86-64-posix wine64 tinyproxy nginx-light fonts-noto-cjk zip unzip p7zip-full
    python3)
# The Debian package: scripts/package-deb builds it, the test suite checks it.
PACKAGE_PACKAGES=(dpkg-dev file desktop-file-utils appstream lintian xvfb xdotool x11-utils)
# Only for scripts/build-windows and scripts/test-windows.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix dpkg-dev perl zip wine64 xvfb
    xdotool x11-utils nsis)

ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "These packages are missing; install them as root: ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

# Configures and builds one build folder: build_tree <folder> [cmake options...]
build_tree() {
    local folder=$1
    shift
    cmake -S . -B "$folder" -G Ninja "$@" >/dev/null
    cmake --build "$folder" -j "$(nproc)"
}
