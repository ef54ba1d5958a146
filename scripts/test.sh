#!/usr/bin/env bash
# Builds and runs the whole test suite: the normal build (with the host validation of the built
# bundles), then the same unit tests under AddressSanitizer and UndefinedBehaviorSanitizer, then a
# short smoke run of every libFuzzer target (scripts/fuzz.sh).
# Options: --no-sanitizers   skip the sanitizer build
#          --no-fuzz         skip the fuzz smoke run
#          --tsan            also build and run the concurrency tests under ThreadSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."

sanitizers=1
fuzz=1
tsan=0
for arg in "$@"; do
    case "$arg" in
        --no-sanitizers) sanitizers=0 ;;
        --no-fuzz) fuzz=0 ;;
        --tsan) tsan=1 ;;
        *) echo "usage: scripts/test.sh [--no-sanitizers] [--no-fuzz] [--tsan]" >&2; exit 2 ;;
    esac
done

scripts/install-deps.sh build test fuzz

# Editor tests need a display; use a virtual one when there is none.
run_ctest() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        ctest "$@"
    else
        xvfb-run -a -s "-screen 0 1920x1200x24" ctest "$@"
    fi
}

echo "== Release build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCOILVOX_BUILD_TESTS=ON -DCOILVOX_WERROR=ON
cmake --build build
run_ctest --test-dir build --output-on-failure -j2 --timeout 900

if [ "$sanitizers" = 1 ]; then
    echo "== AddressSanitizer + UndefinedBehaviorSanitizer build and tests"
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCOILVOX_SANITIZE=ON -DCOILVOX_WERROR=OFF
    cmake --build build-asan --target coilvox_unit_tests
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        run_ctest --test-dir build-asan --output-on-failure -j2 --timeout 1800 -L unit
fi

if [ "$fuzz" = 1 ]; then
    # A few thousand inputs per target from a fixed seed (the same inputs on every run, so CI does not
    # turn red at random): every input path and property is exercised; the long runs are in the README.
    FUZZ_FLAGS="-seed=1" scripts/fuzz.sh 2000
fi

if [ "$tsan" = 1 ]; then
    echo "== ThreadSanitizer build and concurrency tests"
    cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCOILVOX_TSAN=ON
    cmake --build build-tsan --target coilvox_unit_tests
    TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
        run_ctest --test-dir build-tsan --output-on-failure -j2 --timeout 1800 -L unit -R Concurrent
fi

echo "All tests passed."
