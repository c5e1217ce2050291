#!/usr/bin/env bash
# Runs each fuzzer for a bounded time (default 60 s each) on a copy of its
# corpus; new inputs that find new paths are left in build-sanitize/fuzz-corpus
# to be looked at and, if worth keeping, copied into tests/fuzz/corpus.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
"$top/scripts/setup.sh"
CC=clang CXX=clang++ cmake -S "$top" -B "$top/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DTEXTBOOK_SANITIZE=ON > /dev/null
cmake --build "$top/build-sanitize" --target fuzz_picture fuzz_url -j "$(nproc)"
for target in picture url; do
  work="$top/build-sanitize/fuzz-corpus/$target"
  mkdir -p "$work"
  cp -n "$top/tests/fuzz/corpus/$target/"* "$work/"
  ASAN_OPTIONS=detect_leaks=0 "$top/build-sanitize/tests/fuzz/fuzz_$target" \
    -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 "$work"
done
