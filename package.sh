#!/usr/bin/env bash
# Builds the packages for a computer class in build-package/: the Debian package
# fmlab_<version>_<arch>.deb and the portable folder fmlab-<version>-Linux.tar.gz.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
# Debian's build flags, as every Debian package is built: fortified functions, stack protector,
# read-only relocations (CMake reads no CPPFLAGS, so the preprocessor's go with the compiler's).
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DFMLAB_BUILD_TESTS=OFF \
      -DFMLAB_BUILD_PERF=OFF -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
      >/dev/null
cmake --build build-package -j 2
(cd build-package && cpack >/dev/null)
ls -1 "$PWD"/build-package/fmlab_*.deb "$PWD"/build-package/fmlab-*.tar.gz
