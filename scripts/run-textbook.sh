#!/usr/bin/env bash
# Builds the textbook and opens it on the sample course.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/build.sh"
# The textbook finds its course in the folder it is started from.
cd "$top/build/course"
exec "$top/build/src/Project1"
