#!/bin/bash
# make package: the release archives of the three platforms in dist/, each
# from a Release build of its own tree without the test programs:
#
#   build/pkg-linux/   Linux x86-64          dist/keldar-<version>-linux-x86_64.tar.gz
#   build/pkg-win64/   Windows x64           dist/keldar-<version>-windows-x64.zip
#   build/pkg-win32/   Windows 32-bit        dist/keldar-<version>-windows-x86.zip
#
# The layout of an archive is packaging/make_archive.cmake's; the version
# is cmake/version.cmake's.
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=${JOBS:-2}
DIST=$PWD/dist

rm -rf "$DIST"
for tree in linux: win64:cmake/mingw-x86_64.cmake win32:cmake/mingw-i686.cmake; do
  name=${tree%%:*}
  toolchain=${tree#*:}
  args=(-DCMAKE_BUILD_TYPE=Release -DKELDAR_TESTS=OFF -DKELDAR_SANITIZE=OFF "-DKELDAR_DIST_DIR=$DIST")
  [[ -n $toolchain ]] && args+=("-DCMAKE_TOOLCHAIN_FILE=$toolchain")
  echo "== $name (build/pkg-$name)"
  cmake -S . -B "build/pkg-$name" -G Ninja "${args[@]}" >/dev/null
  cmake --build "build/pkg-$name" -j "$JOBS" --target release_archive
done
echo
ls -l "$DIST"
