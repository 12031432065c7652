#!/usr/bin/env bash
# Installs what is missing, builds a Release and starts Padrix.
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh build

build=build-release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPADRIX_TESTS=OFF -DPADRIX_SANITIZE=OFF
cmake --build "$build"

exec "$build/src/app/padrix"
