# Installs the Debian packages given that are not installed yet. Sourced by the other scripts.
levelwise_require_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "levelwise: missing packages: ${missing[*]}; run as root or install them first" >&2
        return 1
    fi
    echo "levelwise: installing ${missing[*]}" >&2
    # apt's progress runs to thousands of lines; it is shown only when the install fails.
    local log
    log=$(mktemp)
    if ! { apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        rm -f "$log"
        echo "levelwise: installing the packages failed" >&2
        return 1
    fi
    rm -f "$log"
}

# Generates the UTF-8 locales given that the C library does not have yet; the window's tests
# type prices under them.
levelwise_require_locales() {
    local name
    for name in "$@"; do
        locale -a 2>/dev/null | grep -qix "$name.utf8" && continue
        echo "levelwise: generating the locale $name.UTF-8" >&2
        localedef -i "$name" -f UTF-8 "$name.UTF-8"
    done
}

# What building the program needs, tests or not.
# Qt's translations and its Wayland platform are only loaded at run time.
LEVELWISE_BUILD_PACKAGES=(g++ cmake make pkg-config dpkg-dev qt6-base-dev libfontconfig-dev fonts-liberation2
    qt6-translations-l10n qt6-wayland)
# What building the Windows program and its downloads needs: MinGW-w64 (64-bit, posix
# threads), NSIS for the installer, wixl and msitools for the MSI, faketime for its fixed
# build time, osslsigncode to sign them all.
LEVELWISE_WINDOWS_PACKAGES=(cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 nsis
    wixl msitools faketime osslsigncode)
# What building the web app needs: clang 22 for WebAssembly with its C++ and C libraries,
# and node to run the page generator and serve the site.
LEVELWISE_WEB_PACKAGES=(cmake make clang-22 lld-22 libc++-22-dev-wasm32 libclang-rt-22-dev-wasm32
    nodejs)
# What the test run needs on top (Wine 64-bit only: Debian's 32-bit Wine would take over the
# wine command for 64-bit programs too).
LEVELWISE_TEST_PACKAGES=(libgtest-dev googletest libbenchmark-dev libmpfr-dev
    desktop-file-utils appstream binutils-mingw-w64-x86-64 devscripts file lintian man-db
    libclang-rt-22-dev g++-aarch64-linux-gnu qemu-user
    xvfb xdotool x11-utils strace libx11-dev dbus-daemon locales
    weston python3-pyatspi at-spi2-core
    "${LEVELWISE_WINDOWS_PACKAGES[@]}" wine64 fonts-wine icoutils unzip python3-yaml openssl
    "${LEVELWISE_WEB_PACKAGES[@]}" chromium firefox-esr webkit2gtk-driver)
