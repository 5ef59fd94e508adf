#!/usr/bin/env bash
# Sets up, builds, and converts the bundled sample PDF to RTF.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=Release -DVL_TESTS=OFF -DVL_BENCH=OFF
mkdir -p "$root/out"
"$root/build/tools/pdf2rtf" "$root/samples/report.pdf" "$root/out/report.rtf"
echo "demo: wrote $root/out/report.rtf"
