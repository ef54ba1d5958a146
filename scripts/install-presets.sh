#!/usr/bin/env bash
# Generates the factory and artist presets and installs them into the settings folder's
# Presets/Factory and Presets/Talents. Presets/User is never touched, and a file the user has changed
# since we installed it is left as it is: a manifest of the hashes we installed decides.
# Usage: scripts/install-presets.sh [BUILD_FOLDER]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build}"
cmake --build "$build" --target coilvox_factory_presets

# The settings folder of the user who asked, also when run through sudo (the framework's
# user application-data folder on Linux is $XDG_CONFIG_HOME or ~/.config).
user_home="$HOME"
config="${XDG_CONFIG_HOME:-$HOME/.config}"
if [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
    user_home="$(getent passwd "$SUDO_USER" | cut -d: -f6)"
    config="$user_home/.config"
fi
presets="$config/Application Support/Orvalen/VantorraCoilvox/Presets"
manifest="$presets/.installed-presets.sha256"

mkdir -p "$presets/Factory" "$presets/Talents" "$presets/User"
touch "$manifest"

installed=0 kept=0 current=0
new_manifest="$(mktemp)"
trap 'rm -f "$new_manifest"' EXIT

while IFS= read -r -d '' source; do
    relative="${source#"$build/presets/"}"
    target="$presets/$relative"
    new_hash="$(sha256sum < "$source" | cut -d' ' -f1)"
    recorded="$(awk -v path="$relative" 'substr($0, 67) == path { print $1 }' "$manifest" | tail -n 1)"

    if [ -e "$target" ]; then
        old_hash="$(sha256sum < "$target" | cut -d' ' -f1)"
        if [ "$old_hash" = "$new_hash" ]; then
            current=$((current + 1))
        elif [ -n "$recorded" ] && [ "$old_hash" = "$recorded" ]; then
            # Still exactly what we installed last time: safe to update.
            cp "$source" "$target.new.$$" && mv -f "$target.new.$$" "$target"
            installed=$((installed + 1))
        else
            echo "Keeping your changed preset: $target"
            kept=$((kept + 1))
            [ -n "$recorded" ] && printf '%s  %s\n' "$recorded" "$relative" >> "$new_manifest"
            continue
        fi
    else
        mkdir -p "$(dirname "$target")"
        cp "$source" "$target.new.$$" && mv -f "$target.new.$$" "$target"
        installed=$((installed + 1))
    fi
    printf '%s  %s\n' "$new_hash" "$relative" >> "$new_manifest"
done < <(find "$build/presets/Factory" "$build/presets/Talents" -type f -name '*.preset' -print0 | sort -z)

cp "$new_manifest" "$manifest.new.$$" && mv -f "$manifest.new.$$" "$manifest"
if [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
    chown -R "$SUDO_USER": "$config/Application Support/Orvalen"
fi
echo "Presets in $presets: $installed installed or updated, $current already current, $kept kept as changed by you."
