#!/usr/bin/env bash
# Copies the Inter faces the editor embeds from Debian's fonts-inter package into Resources/fonts,
# with the licence that must travel with them. The package ships OpenType (CFF) files only, so the
# bold face is Inter-Bold.otf rather than a TrueType file.
#
# usage: copy-fonts.sh            (needs: apt-get install fonts-inter)

set -eu

here="$(cd "$(dirname "$0")" && pwd)"
dest="$here/../../Resources/fonts"
src=/usr/share/fonts/opentype/inter
licence=/usr/share/doc/fonts-inter/copyright

if [ ! -d "$src" ]; then
    echo "fonts-inter is not installed: apt-get install fonts-inter" >&2
    exit 1
fi

mkdir -p "$dest"

# Embedded resources are reached by file name ("InterLight.otf" as "InterLight_otf"); names without
# a hyphen keep that mapping obvious.
for face in Light LightItalic Medium Bold; do
    install -m 644 "$src/Inter-$face.otf" "$dest/Inter$face.otf"
done

install -m 644 "$licence" "$dest/LICENSE-Inter.txt"
echo "copied Inter Light, Light Italic, Medium and Bold to $dest"
