#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running the program need, and the
# page test's npm packages, but only those that are missing: when everything is there it says nothing and touches nothing.
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
  libmicrohttpd-dev libqrencode-dev            # the class view: its web server and QR code
  chromium nodejs                              # the class view's page test in a real browser
)
if [[ ${1:-} == package ]]; then
  packages+=(
    lintian desktop-file-utils appstream       # checks of the package, menu entry and metadata
  )
fi

# npm comes with some builds of Node.js and separately with Debian's.
command -v npm >/dev/null || packages+=(npm)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$package")
done
if (( ${#missing[@]} > 0 )); then
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
fi

# The browser driver of the page test (playwright-core, which never downloads a browser), as
# package-lock.json pins it; again only when missing or changed.
cd "$(dirname "${BASH_SOURCE[0]}")/.."
if [[ ! -f node_modules/.package-lock.json || package-lock.json -nt node_modules/.package-lock.json ]]; then
  echo "setup: installing the page test's npm packages"
  npm ci --ignore-scripts --no-audit --no-fund --loglevel=error >/dev/null
fi
