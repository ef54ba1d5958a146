#!/usr/bin/env bash
# Installs the Debian packages that are missing for the given purposes (build, test, bench).
# Usage: scripts/install-deps.sh build [test] [fuzz] [bench]
set -euo pipefail

packages_for() {
    case "$1" in
        build) echo build-essential cmake ninja-build pkg-config ccache juce-modules-source \
                    libcurl4-openssl-dev zlib1g-dev libpng-dev libjpeg-dev faust-common fonts-inter ;;
        test)  echo libgtest-dev xvfb xauth x11-utils lilv-utils lv2-dev sordi sox ;;
        fuzz)  echo clang-14 libclang-rt-14-dev ;;
        bench) echo libbenchmark-dev libfftw3-dev libkissfft-dev libzita-convolver-dev ;;
        *) echo "install-deps: unknown purpose '$1'" >&2; exit 2 ;;
    esac
}

wanted=()
for purpose in "$@"; do
    for p in $(packages_for "$purpose"); do
        wanted+=("$p")
    done
done

missing=()
for p in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "install-deps: need root or sudo to install: ${missing[*]}" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
