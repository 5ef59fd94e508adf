#!/usr/bin/env bash
# build.sh DIR [cmake options...]: configures and builds into DIR.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)
cmake -S "$root" -B "$dir" "${gen[@]}" "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
