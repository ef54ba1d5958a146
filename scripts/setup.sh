#!/usr/bin/env bash
# One command for a fresh Debian 12 machine: installs what is missing, builds the plug-in, installs the
# VST3 and LV2 bundles for the current user and runs it: the Standalone app when a display is present,
# otherwise a short test phrase rendered through the effect into a WAV file.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCOILVOX_BUILD_TESTS=OFF
cmake --build build --target VantorraCoilvox_VST3 VantorraCoilvox_LV2 VantorraCoilvox_Standalone coilvox-render coilvox_factory_presets

# Factory and artist presets go into the settings folder; "User" and files the user changed stay as they are.
scripts/install-presets.sh build

# Plug-ins go to the folders of the user who asked, also when run through sudo.
user_home="$HOME"
if [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
    user_home="$(getent passwd "$SUDO_USER" | cut -d: -f6)"
fi

artefacts=build/VantorraCoilvox_artefacts/Release
install_bundle() {
    local bundle="$1" folder="$2"
    mkdir -p "$folder"
    rm -rf "$folder/$(basename "$bundle")"
    cp -r "$bundle" "$folder/"
    if [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
        chown -R "$SUDO_USER": "$folder"
    fi
    echo "Installed $folder/$(basename "$bundle")"
}
install_bundle "$artefacts/VST3/VantorraCoilvox.vst3" "$user_home/.vst3"
install_bundle "$artefacts/LV2/VantorraCoilvox.lv2" "$user_home/.lv2"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "Starting the Standalone app ($artefacts/Standalone/VantorraCoilvox)"
    exec "$artefacts/Standalone/VantorraCoilvox"
fi

echo "No display: rendering the built-in test phrase through the effect at its default settings."
mkdir -p out
build/tools/render/coilvox-render --test-signal out/coilvox-demo.wav
