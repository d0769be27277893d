# Installs the Debian packages named as arguments that are not installed yet,
# with sudo when not root. Sourced by ./run and ./test.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

BUILD_PACKAGES=(cmake make g++ ccache pkg-config qt6-base-dev libgl-dev fonts-liberation)

# The Windows program: the MinGW-w64 cross compiler, GoogleTest's sources,
# Wine with its own fonts, and a virtual X server with the tools that drive
# the program and read its screen; icoutils and unzip look inside the zip.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64 googletest wine wine64 fonts-wine xvfb xdotool imagemagick icoutils unzip)
