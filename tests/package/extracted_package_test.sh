#!/usr/bin/env bash
# Builds the Debian package from a build folder, unpacks it with dpkg-deb -x into a temporary
# folder and starts the unpacked program there with a new class folder: it must find the
# sample files beside its own bin/ and copy all five, byte for byte.
# usage: extracted_package_test.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/cpack" >/dev/null)
package=$(ls "$scratch"/cpack/poruka_*_amd64.deb)
dpkg-deb -x "$package" "$scratch/root"

# Started from an unrelated folder, so that nothing is found by chance in the current one.
mkdir "$scratch/elsewhere"
(cd "$scratch/elsewhere" &&
 QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$scratch "$scratch/root/usr/bin/poruka" \
   --folder "$scratch/class" --screenshot "$scratch/window.png" --quit-after 0)

failed=0
for name in EKION.CSV KION.CSV VORUM1.CSV VORUM2.CSV VORUM.TXT; do
  if ! cmp -s "$scratch/root/usr/share/poruka/$name" "$scratch/class/$name"; then
    echo "the class folder has no copy of $name" >&2
    failed=1
  fi
done
[[ -s $scratch/window.png ]] || { echo "no picture of the window" >&2; failed=1; }
# The Japanese manual page, where man -L ja looks for it.
if ! LC_ALL=C.UTF-8 MANPATH="$scratch/root/usr/share/man" man -L ja poruka 2>/dev/null | grep -q 'オプション'; then
  echo "man -L ja poruka does not show the Japanese page" >&2
  failed=1
fi
exit "$failed"
