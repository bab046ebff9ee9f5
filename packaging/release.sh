#!/bin/bash
# Makes the release files in dist/, from the source tree as it is:
#   talvironeska-VERSION-win64.zip          the mingw-w64 build, for Windows
#   talvironeska_VERSION_amd64.deb          the native build, for Debian
#   talvironeska-VERSION-linux-amd64.tar.gz the same tree as the .deb
# It configures the default and mingw presets (or reuses their build
# directories) and builds only the two programs and the files they ship with.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

targets=(--target talvironeska talvironeska-inspect release_files)
cmake --preset default >/dev/null
cmake --build --preset default "${targets[@]}"
cmake --preset mingw >/dev/null
cmake --build --preset mingw "${targets[@]}"

rm -rf dist
mkdir -p dist
for build in build build-mingw; do
  staging=$root/$build/cpack
  rm -rf "$staging"
  (cd "$build" && cpack -B "$staging" >/dev/null)
  find "$staging" -maxdepth 1 -type f \( -name '*.zip' -o -name '*.deb' -o -name '*.tar.gz' \) \
    -exec mv -t dist/ {} +
done
ls -l dist/
