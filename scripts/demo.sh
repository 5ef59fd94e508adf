#!/usr/bin/env bash
# Sets up, builds, and converts the bundled sample PDF to RTF.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=Release -DVL_TESTS=OFF -DVL_BENCH=OFF
mkdir -p "$root/out"
if "$root/build/tools/pdf2rtf" "$root/samples/report.pdf" "$root/out/report.rtf"; then
  echo "demo: wrote $root/out/report.rtf"
else
  echo "demo: the conversion did not finish (see the message above)" >&2
  exit 1
fi
