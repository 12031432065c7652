#!/usr/bin/env bash
# Builds the Debian package padrix_<version>_<arch>.deb from a clean Release
# build and checks its file list; runs lintian on it when lintian is there.
# Usage: scripts/package.sh [OUTPUT_DIR]   (default: the source folder)
set -euo pipefail
cd "$(dirname "$0")/.."
src=$PWD
out=$(realpath -m "${1:-$src}")

scripts/deps.sh package

build=$src/build-package
rm -rf "$build"
# Debian's hardening flags, as a package build would use them; warnings do
# not stop a package build (a newer or older compiler may warn differently).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS=$(dpkg-buildflags --get CXXFLAGS) CPPFLAGS=$(dpkg-buildflags --get CPPFLAGS) \
    LDFLAGS=$(dpkg-buildflags --get LDFLAGS) \
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DPADRIX_TESTS=OFF -DPADRIX_SANITIZE=OFF -DPADRIX_WERROR=OFF
cmake --build "$build" -j2
(cd "$build" && cpack -G DEB)

deb=$(ls "$build"/padrix_*.deb)
mkdir -p "$out"
cp "$deb" "$out/"
deb=$out/$(basename "$deb")

# The package holds exactly the files of the installation.
expected=$(tests/install/expected-files.sh "$src" | sed 's|^|./usr/|')
packed=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | LC_ALL=C sort)
if [ "$expected" != "$packed" ]; then
    diff <(echo "$expected") <(echo "$packed") >&2 || true
    echo "The package's files differ from the expected ones (< expected, > packed)." >&2
    exit 1
fi

dpkg-deb --info "$deb"
if command -v lintian >/dev/null; then
    lintian --fail-on error --info "$deb"
else
    echo "lintian is not installed: the package was not checked (apt-get install lintian)."
fi
echo "Built $deb ($(du -k "$deb" | cut -f1) KiB)"
