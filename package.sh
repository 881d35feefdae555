#!/usr/bin/env bash
# Builds the packages for a computer class in build-package/: the Debian package
# fmlab_<version>_<arch>.deb and the portable folder fmlab-<version>-Linux.tar.gz.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DFMLAB_BUILD_TESTS=OFF \
      -DFMLAB_BUILD_PERF=OFF >/dev/null
cmake --build build-package -j 2
(cd build-package && cpack >/dev/null)
ls -1 "$PWD"/build-package/fmlab_*.deb "$PWD"/build-package/fmlab-*.tar.gz
