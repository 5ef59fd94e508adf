#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: a normal build with warnings
# as errors, then the same tests under AddressSanitizer and UBSan.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" --tests
jobs=$(nproc)

"$root/scripts/build.sh" "$root/build-test" -DCMAKE_BUILD_TYPE=Release -DVL_WERROR=ON
(cd "$root/build-test" && ctest --output-on-failure -j "$jobs" --timeout 900)

"$root/scripts/build.sh" "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DVL_SANITIZE=ON -DVL_BENCH=OFF \
  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"
(cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --output-on-failure -j "$jobs" --timeout 1800)
