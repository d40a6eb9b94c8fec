#!/usr/bin/env bash
# Builds the Debian package: installs what is missing, makes a Release build in build/release
# with Debian's hardening flags and writes poruka_<version>_amd64.deb under build/package/.
# `package.sh BUILD_DIR` packages a build that is already there instead (CI packages the build
# its tests ran on; the default preset carries the same hardening flags).
# The package's path is the last line printed.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

bash scripts/setup.sh package

if [[ -n ${1:-} ]]; then
  build=$1
  cmake --build "$build"
else
  build=build/release
  # Debian's own compiler and linker flags (stack protector, fortify, relro, bind now), given
# on the command line so that they hold for a build folder made earlier too.
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
        -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
        -DBUILD_TESTING=OFF -DPORUKA_BENCH=OFF >/dev/null
  cmake --build "$build"
fi

rm -rf "$build/cpack" build/package
(cd "$build" && cpack -B cpack >/dev/null)
mkdir -p build/package
mv "$build"/cpack/poruka_*.deb build/package/
ls "$repo"/build/package/poruka_*.deb
