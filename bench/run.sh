#!/usr/bin/env bash
# Builds the benchmark harnesses and the program into build/, runs every
# benchmark offscreen and under Xvfb (each program as it sets itself up; all
# with the toolkit's own graphics; all with the leads), prints the tables and
# writes them to bench/RESULTS.md. About 9 minutes on 2 cores.
#
#   bench/run.sh [--runs N] [--soak N]     (defaults: 7 runs, 1000 page commands)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
runs=7
soak=1000
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --soak) soak=$2; shift 2 ;;
    *) echo "usage: bench/run.sh [--runs N] [--soak N]" >&2; exit 2 ;;
  esac
done

"$top/scripts/setup.sh"
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$top/build" -j "$(nproc)" --target \
  Project1 bench_textbook bench_bare_window bench_bare_linked bench_bare_view bench_driver

configs=(--config offscreen)
xvfb_pid=
cleanup() {
  # Only the display server this script started.
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2> /dev/null || true
    wait "$xvfb_pid" 2> /dev/null || true
  fi
}
trap cleanup EXIT
if command -v Xvfb > /dev/null; then
  for n in $(seq 71 99); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=":$n"; break; }
  done
  if [ -n "${display:-}" ]; then
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp > "$top/build/bench/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X${display#:}" ] && break
      sleep 0.1
    done
    if [ -e "/tmp/.X11-unix/X${display#:}" ]; then
      configs+=(--config "xvfb=$display" --config "gl=$display" --config "leads=$display")
    else
      echo "Xvfb did not come up on $display: offscreen figures only." >&2
    fi
  fi
else
  echo "Xvfb is not installed: offscreen figures only." >&2
fi

"$top/build/bench/bench_driver" \
  --bin "$top/build/bench" \
  --course "$top/build/course" \
  --catalogue "$top/tests/catalogue.tsv" \
  --assets "$top/src/assets" \
  --runs "$runs" --soak "$soak" \
  --out "$top/bench/RESULTS.md" \
  --log "$top/build/bench/harness.log" \
  "${configs[@]}"
