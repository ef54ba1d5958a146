#!/usr/bin/env bash
# Builds the libFuzzer targets (clang 14, AddressSanitizer + UndefinedBehaviorSanitizer) in build-fuzz
# and runs each for a fixed number of inputs, starting from its seed corpus in tests/fuzz/corpus.
# Usage: scripts/fuzz.sh [RUNS] [TARGET ...]
#   RUNS    inputs per target (default 2000: a smoke run of a few seconds each)
#   TARGET  state, preset, favourites, state_files, embedded_wav (default: all)
# Extra libFuzzer flags can be given in FUZZ_FLAGS (for example FUZZ_FLAGS="-jobs=2 -workers=2").
# Inputs found on the way are kept in build-fuzz/corpus/<target>; the committed seeds are only read.
# A broken property or a sanitizer report stops the run with the input saved as build-fuzz/crash-*.
set -euo pipefail
cd "$(dirname "$0")/.."

runs="${1:-2000}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(state preset favourites state_files embedded_wav)
fi

scripts/install-deps.sh build fuzz

echo "== libFuzzer targets"
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCOILVOX_FUZZ=ON -DCOILVOX_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz --target coilvox_fuzz_targets

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

for target in "${targets[@]}"; do
    seeds="tests/fuzz/corpus/$target"
    work="build-fuzz/corpus/$target"
    log="build-fuzz/fuzz-$target.log"
    mkdir -p "$work"

    # shellcheck disable=SC2086
    if ! (cd build-fuzz && "tests/fuzz/coilvox_fuzz_$target" -runs="$runs" -timeout=20 -print_final_stats=1 \
            ${FUZZ_FLAGS:-} "../$work" "../$seeds") >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzz: $target FAILED (log: $log)"
        exit 1
    fi

    done_line=$(grep -E "^Done [0-9]+ runs" "$log" | tail -n 1)
    echo "fuzz: $target: ${done_line:-finished}; corpus $(ls "$work" | wc -l) inputs"
done

echo "fuzz: all targets passed"
