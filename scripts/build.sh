#!/usr/bin/env bash
# Configures and builds everything into build/ (the assembled course folder
# is build/course).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$top/build" -j "$(nproc)"
