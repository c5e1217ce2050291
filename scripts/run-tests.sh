#!/usr/bin/env bash
# Builds everything and runs every test headless: first the suites that need
# no web engine, built with AddressSanitizer and UndefinedBehaviorSanitizer
# (and the fuzzers' corpus replayed), then every suite in the ordinary build.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/build.sh"

CC=clang CXX=clang++ cmake -S "$top" -B "$top/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DTEXTBOOK_SANITIZE=ON > /dev/null
cmake --build "$top/build-sanitize" -j "$(nproc)"
(cd "$top/build-sanitize" && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure --timeout 600 -j 2)

cd "$top/build"
ctest --output-on-failure --timeout 600 -j 2
