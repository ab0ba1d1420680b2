#!/usr/bin/env bash
# Installs the Debian 12 packages that the build, the tests (poppler-utils reads the reports,
# python3-openpyxl the workbooks, libsqlite3 and libpq with a PostgreSQL server the inspection
# history), the fuzzers, the screenshots and the Debian package (tools/build-deb.sh and its
# checks) need;
# with "windows", those of the Windows build instead (the MinGW-w64 cross compiler, Wine,
# GoogleTest's sources). Quick when everything is there already; uses sudo when not root.
set -euo pipefail

if [ "${1:-}" = windows ]; then
    packages=(cmake ninja-build g++-mingw-w64-x86-64-posix wine wine64 googletest)
else
    packages=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
              qt6-base-dev qt6-translations-l10n libusb-dev xvfb xauth x11-utils xdotool
              imagemagick poppler-utils fonts-noto-cjk clang libclang-rt-14-dev locales
              dpkg-dev file desktop-file-utils appstream lintian
              libxlsxwriter-dev python3-openpyxl libsqlite3-dev libpq-dev postgresql
              ccache clang-format)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

if [ "${1:-}" = windows ]; then
    exit 0
fi

# The number round trips are also tested under a comma-decimal locale, the case-insensitive
# names under a Turkish one (where the C library's case mapping of 'I' and 'i' differs).
for wanted in de_DE tr_TR; do
    if ! locale -a 2>/dev/null | grep -qi "^${wanted}\.utf-\?8$"; then
        sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo sed -i "s/^# *${wanted}.UTF-8 UTF-8/${wanted}.UTF-8 UTF-8/" /etc/locale.gen
        grep -q "^${wanted}.UTF-8 UTF-8" /etc/locale.gen ||
            echo "${wanted}.UTF-8 UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
        $sudo locale-gen >/dev/null
    fi
done
