#!/usr/bin/env bash
# Builds the program in build/ (incrementally) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target fmlab -j 2
exec build/bin/fmlab "$@"
