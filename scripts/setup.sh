#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running the program need, but only
# those that are missing: when everything is there it says nothing and touches nothing.
# `setup.sh package` adds the tools that build and check the Debian package.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config ccache      # build
  qt6-base-dev qt6-serialport-dev              # windows, drawing, serial line
  qt6-translations-l10n                        # Qt's own buttons and dialogs in Japanese
  libgtest-dev libgmock-dev libbenchmark-dev   # tests and benchmarks
  clang libclang-rt-14-dev                     # fuzz targets (libFuzzer)
  clang-format python3                         # formatting check (git clang-format)
  fonts-ipafont-gothic                         # Japanese text: without it every label is boxes
  xvfb xauth                                   # running without a screen (xvfb-run needs xauth)
  dpkg-dev file                                # the package test: CPack's .deb and dpkg-shlibdeps
)
if [[ ${1:-} == package ]]; then
  packages+=(
    lintian desktop-file-utils appstream       # checks of the package, menu entry and metadata
  )
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$package")
done
if (( ${#missing[@]} == 0 )); then
  exit 0
fi

as_root=()
if (( EUID != 0 )); then
  if ! command -v sudo >/dev/null; then
    echo "setup: these packages are missing and installing them needs root: ${missing[*]}" >&2
    exit 1
  fi
  as_root=(sudo)
fi

echo "setup: installing ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
