#!/usr/bin/env bash
# Builds the Debian package of the three programs in build/deb (without the tests) and checks
# it: the menu entries, the AppStream metainfo and lintian. The package ends up in
# build/deb/package/; install it with: sudo apt install ./build/deb/package/korvel_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake -S . -B build/deb -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
      -DKORVEL_BUILD_TESTS=OFF
cmake --build build/deb -j"$(nproc)"
rm -f build/deb/package/korvel_*.deb
(cd build/deb && cpack -G DEB)
deb=$(ls build/deb/package/korvel_*.deb)

for entry in build/deb/packaging/*.desktop; do
    desktop-file-validate "$entry"
done
appstreamcli validate --no-net build/deb/packaging/org.korvel.Korvel.metainfo.xml
# korvel-cli writes workbooks with libxlsxwriter: the package must depend on its library.
dpkg-deb -f "$deb" Depends | grep -q libxlsxwriter ||
    { echo "the package does not depend on libxlsxwriter" >&2; exit 1; }
# Errors fail the build; warnings and notes are shown.
lintian --fail-on error "$deb"
echo "$deb"
