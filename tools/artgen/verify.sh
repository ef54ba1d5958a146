#!/usr/bin/env bash
# Checks the committed pictures in Resources/images:
#   1. the generator's own check: every role at its exact size and frame layout, strips whose
#      frames move, a meter lamp that dims at each of its 21 steps, masks that pass and block,
#      opaque backgrounds, lit lamps brighter than the dark ones on the panel;
#   2. that the generator redraws them byte for byte (fixed seeds, committed output up to date);
#   3. that the check itself rejects a missing picture, a picture of the wrong size and a highlight
#      that does not match the picture under it.
#
# usage: verify.sh [path/to/coilvox-artgen]
#        (default: build/tools/artgen/coilvox-artgen_artefacts/Release/coilvox-artgen)

set -u

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
generator="${1:-$root/build/tools/artgen/coilvox-artgen_artefacts/Release/coilvox-artgen}"
images="$root/Resources/images"
failures=0

fail()
{
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if [ ! -x "$generator" ]; then
    echo "no generator at $generator (build the coilvox-artgen target first)" >&2
    exit 2
fi

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# 1. The committed pictures.
"$generator" --verify "$images" || fail "committed pictures do not pass the check"

# 2. Same bytes on a fresh run.
"$generator" "$scratch/fresh" > /dev/null || fail "generator failed"
for file in "$scratch"/fresh/*.png; do
    name="$(basename "$file")"
    cmp -s "$file" "$images/$name" || fail "$name differs from a fresh run (regenerate and commit)"
done
for file in "$images"/*.png; do
    [ -e "$scratch/fresh/$(basename "$file")" ] || fail "$(basename "$file") is committed but no longer drawn"
done

# 3. The check must catch damage, or it proves nothing.
cp -r "$scratch/fresh" "$scratch/missing"
rm "$scratch/missing/meterStrip.png"
"$generator" --verify "$scratch/missing" > /dev/null 2>&1 && fail "check accepted a missing meterStrip"

cp -r "$scratch/fresh" "$scratch/resized"
cp "$scratch/fresh/closeIcon.png" "$scratch/resized/smallKnobStrip.png"
"$generator" --verify "$scratch/resized" > /dev/null 2>&1 && fail "check accepted a knob strip of the wrong size"

# A highlight that no longer matches the picture it is drawn over would show a seam.
cp -r "$scratch/fresh" "$scratch/restaged"
cp "$scratch/fresh/secretBodyBackground.png" "$scratch/restaged/secretSceneImage.png"
"$generator" --verify "$scratch/restaged" > /dev/null 2>&1 && fail "check accepted a scene highlight that does not match its scene"

if [ "$failures" -eq 0 ]; then
    echo "artwork: all checks pass"
    exit 0
fi

echo "artwork: $failures check(s) failed"
exit 1
