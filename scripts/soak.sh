#!/usr/bin/env bash
# Soak run (not part of CI): audio through the processor on its own thread, paced to real time, while
# the message thread automates every parameter, loads the factory presets and saves and restores the
# state (and the audio thread automates too, varies its block size and toggles bypass). Reports
# ThreadSanitizer findings, non-finite samples, the audio thread's heap allocations and the memory
# after the first half minute and at the end.
# Usage: scripts/soak.sh [SECONDS] [--plain]
#   SECONDS  wall-clock duration (default 600, ten minutes). Under ThreadSanitizer the processor runs
#            slower than real time, so less audio than that is played; the driver prints how much.
#   --plain  the uninstrumented Release build (build/) instead: real time throughout, and memory
#            figures without the sanitizer's shadow memory.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=600
plain=0
for arg in "$@"; do
    case "$arg" in
        --plain) plain=1 ;;
        *[!0-9]*|"") echo "usage: scripts/soak.sh [SECONDS] [--plain]" >&2; exit 2 ;;
        *) seconds="$arg" ;;
    esac
done

scripts/install-deps.sh build test

if [ "$plain" = 1 ]; then
    folder=build
    echo "== Release build of the soak driver"
    cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCOILVOX_BUILD_TESTS=ON >/dev/null
else
    folder=build-tsan
    echo "== ThreadSanitizer build of the soak driver"
    cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCOILVOX_TSAN=ON >/dev/null
fi
nice cmake --build "$folder" --target coilvox-soak coilvox_factory_presets

logs="$folder/soak"
rm -rf "$logs"
mkdir -p "$logs"

echo "== Soak for $seconds s"
# The sanitizer's shadow memory grows with every fresh allocation (each rebuilt spring response):
# it is flushed above 4 GB so that the run stays within the machine.
set +e
TSAN_OPTIONS="halt_on_error=0:second_deadlock_stack=1:memory_limit_mb=4096:log_path=$PWD/$logs/tsan" \
    nice "$folder/tests/coilvox-soak" --seconds "$seconds" --presets "$folder/presets" | tee "$logs/soak.txt"
status=${PIPESTATUS[0]}
set -e

reports=$(cat "$logs"/tsan.* 2>/dev/null | grep -c "WARNING: ThreadSanitizer" || true)
[ "$plain" = 1 ] || echo "soak: ThreadSanitizer reports: $reports"

if [ "$reports" -gt 0 ]; then
    echo "soak: reports are in $logs/tsan.*"
    exit 1
fi

if [ "$status" -ne 0 ]; then
    echo "soak: the driver failed with status $status"
    exit 1
fi

echo "soak: passed"
