#!/usr/bin/env bash
# Soak run (not part of CI): real-time audio through the processor under ThreadSanitizer while the
# message thread automates every parameter, loads the factory presets and saves and restores the
# state. Reports ThreadSanitizer findings, non-finite samples, the audio thread's heap allocations
# and the memory at start and end.
# Usage: scripts/soak.sh [SECONDS]   (default 600, ten minutes)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-600}"

scripts/install-deps.sh build test

echo "== ThreadSanitizer build of the soak driver"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCOILVOX_TSAN=ON >/dev/null
nice cmake --build build-tsan --target coilvox-soak coilvox_factory_presets

logs="build-tsan/soak"
rm -rf "$logs"
mkdir -p "$logs"

echo "== Soak for $seconds s"
set +e
TSAN_OPTIONS="halt_on_error=0:second_deadlock_stack=1:log_path=$PWD/$logs/tsan" \
    nice build-tsan/tests/coilvox-soak --seconds "$seconds" --presets build-tsan/presets | tee "$logs/soak.txt"
status=${PIPESTATUS[0]}
set -e

reports=$(cat "$logs"/tsan.* 2>/dev/null | grep -c "WARNING: ThreadSanitizer" || true)
echo "soak: ThreadSanitizer reports: $reports"

if [ "$reports" -gt 0 ]; then
    echo "soak: reports are in $logs/tsan.*"
    exit 1
fi

if [ "$status" -ne 0 ]; then
    echo "soak: the driver failed with status $status"
    exit 1
fi

echo "soak: passed"
