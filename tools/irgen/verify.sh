#!/usr/bin/env bash
# Checks the committed recordings in Resources/ir:
#   1. the RIFF layout of each file (size, chunk order, format tag, channels, rate, bits, frames),
#      read independently of the generator's own writer;
#   2. that they still sound like what they claim (peak, silent tail, no DC, decay, cabinet band);
#   3. that the generator rebuilds them byte for byte;
#   4. that the layout check itself rejects damaged files (a checker that passes everything is
#      worse than none).
#
# usage: verify.sh [path/to/coilvox-irgen]   (default: build/tools/irgen/coilvox-irgen)

set -u

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
generator="${1:-$root/build/tools/irgen/coilvox-irgen}"
irDir="$root/Resources/ir"
failures=0

# file  bytes  formatTag  bits  frames  chunk order
expected=(
    "coilvoxTank.wav     2359530 3 32 294912 JUNK,fmt,fact,data,smpl,inst,acid,LIST,LIST"
    "beltonTank.wav      2039584 1 24 339808 fmt,bext,junk,data"
    "accutronicsTank.wav 2043988 1 24 340542 fmt,bext,junk,data"
    "cabinet.wav         48156   1 16 12028  fmt,data"
)

fail()
{
    echo "FAIL: $*"
    failures=$((failures + 1))
}

u32() { od -An -tu4 --endian=little -j "$2" -N4 "$1" | tr -d ' '; }
u16() { od -An -tu2 --endian=little -j "$2" -N2 "$1" | tr -d ' '; }
id4() { tail -c +"$(($2 + 1))" "$1" | head -c 4; }

# Prints nothing when the file has the expected layout, else one line per fault.
layoutFaults()
{
    local file="$1" bytes="$2" tag="$3" bits="$4" frames="$5" order="$6"
    local size
    size=$(stat -c %s "$file")

    [ "$size" -eq "$bytes" ] || echo "size $size, expected $bytes"
    [ "$(id4 "$file" 0)" = "RIFF" ] && [ "$(id4 "$file" 8)" = "WAVE" ] || echo "not RIFF/WAVE"
    [ "$(u32 "$file" 4)" = "$((size - 8))" ] || echo "RIFF size field $(u32 "$file" 4), expected $((size - 8))"

    local pos=12 ids="" dataSize="" fmtAt=""
    while [ $((pos + 8)) -le "$size" ]; do
        local id chunkSize
        id="$(id4 "$file" "$pos")"
        chunkSize="$(u32 "$file" $((pos + 4)))"
        ids="${ids:+$ids,}${id% }"
        [ "$id" = "fmt " ] && fmtAt=$((pos + 8))
        [ "$id" = "data" ] && dataSize="$chunkSize"
        pos=$((pos + 8 + chunkSize + chunkSize % 2))
    done

    [ "$pos" -eq "$size" ] || echo "chunks end at $pos, file at $size"
    [ "$ids" = "$order" ] || echo "chunk order $ids, expected $order"

    if [ -n "$fmtAt" ]; then
        local blockAlign=$((2 * bits / 8))
        [ "$(u16 "$file" "$fmtAt")" = "$tag" ] || echo "format tag $(u16 "$file" "$fmtAt"), expected $tag"
        [ "$(u16 "$file" $((fmtAt + 2)))" = 2 ] || echo "channels $(u16 "$file" $((fmtAt + 2))), expected 2"
        [ "$(u32 "$file" $((fmtAt + 4)))" = 44100 ] || echo "rate $(u32 "$file" $((fmtAt + 4))), expected 44100"
        [ "$(u32 "$file" $((fmtAt + 8)))" = $((44100 * blockAlign)) ] || echo "byte rate wrong"
        [ "$(u16 "$file" $((fmtAt + 12)))" = "$blockAlign" ] || echo "block align wrong"
        [ "$(u16 "$file" $((fmtAt + 14)))" = "$bits" ] || echo "bits $(u16 "$file" $((fmtAt + 14))), expected $bits"
    else
        echo "no fmt chunk"
    fi

    [ "${dataSize:-0}" -eq $((frames * 2 * bits / 8)) ] || echo "data holds ${dataSize:-0} bytes, expected $frames frames"
}

checkLayouts()
{
    local dir="$1" line
    for line in "${expected[@]}"; do
        set -- $line
        local faults
        faults="$(layoutFaults "$dir/$1" "$2" "$3" "$4" "$5" "$6")"
        if [ -n "$faults" ]; then
            while IFS= read -r f; do fail "$1: $f"; done <<< "$faults"
        else
            echo "ok   $1: $2 bytes, tag $3, $4-bit, $5 frames, $6"
        fi
    done
}

# Reads key=value figures from the generator's analysis line of one file.
figure() { echo "$1" | tr ' ' '\n' | sed -n "s/^$2=//p"; }
within() { awk -v x="$1" -v lo="$2" -v hi="$3" 'BEGIN { exit !(x >= lo && x <= hi) }'; }

checkSound()
{
    local report
    if ! report="$("$generator" --analyse "$irDir")"; then
        fail "analysis could not decode the files"
        return
    fi
    echo "$report" | sed 's/^/     /'

    local name line
    for name in coilvoxTank.wav beltonTank.wav accutronicsTank.wav cabinet.wav; do
        line="$(echo "$report" | grep "^$name ")"
        local isCabinet=0
        [ "$name" = cabinet.wav ] && isCabinet=1

        # name           figure        low     high
        local rules=(
            "dc_ratio     0       0.001"
            "tail_db      -999    -90"
        )
        if [ $isCabinet -eq 1 ]; then
            rules+=("peak_db -3.1 -2.9" "onset 0 4" "energy999_ms 0 50"
                    "db_40 -99 -12" "db_7000 -99 -12" "db_10000 -99 -30" "db_110 0 12" "db_3500 0 12")
        else
            rules+=("peak_db -1.1 -0.9" "t60_s 1.8 4.5" "centroid_hz 800 3500")
        fi

        local rule
        for rule in "${rules[@]}"; do
            set -- $rule
            local value
            value="$(figure "$line" "$1")"
            within "${value:-nan}" "$2" "$3" || fail "$name: $1 = ${value:-missing}, expected $2 .. $3"
        done
    done
}

checkReproducible()
{
    local tmp
    tmp="$(mktemp -d)"
    if ! "$generator" "$tmp" > /dev/null; then
        fail "generator failed"
    else
        local name
        for name in coilvoxTank.wav beltonTank.wav accutronicsTank.wav cabinet.wav; do
            if cmp -s "$tmp/$name" "$irDir/$name"; then
                echo "ok   $name regenerates byte for byte ($(sha256sum < "$irDir/$name" | cut -c1-16)...)"
            else
                fail "$name differs from a fresh run of the generator"
            fi
        done
    fi
    rm -rf "$tmp"
}

# Each damage must be reported; the undamaged copy must pass.
checkCheckerRejectsDamage()
{
    local tmp
    tmp="$(mktemp -d)"
    local belton="beltonTank.wav 2039584 1 24 339808 fmt,bext,junk,data"

    # damage                      command run on the copy
    local damages=(
        "none|true"
        "one byte short|truncate -s -1 f"
        "RIFF size field|printf '\\x00' | dd of=f bs=1 seek=4 conv=notrunc status=none"
        "chunk renamed (order)|printf 'JUNK' | dd of=f bs=1 seek=$((12 + 8 + 16)) conv=notrunc status=none"
        "mono|printf '\\x01' | dd of=f bs=1 seek=$((12 + 8 + 2)) conv=notrunc status=none"
        "48 kHz|printf '\\x80\\xbb' | dd of=f bs=1 seek=$((12 + 8 + 4)) conv=notrunc status=none"
        "16-bit|printf '\\x10' | dd of=f bs=1 seek=$((12 + 8 + 14)) conv=notrunc status=none"
    )

    local before=$failures entry
    for entry in "${damages[@]}"; do
        local what="${entry%%|*}" command="${entry#*|}"
        cp "$irDir/beltonTank.wav" "$tmp/f"
        (cd "$tmp" && eval "$command")
        set -- $belton
        local faults
        faults="$(layoutFaults "$tmp/f" "$2" "$3" "$4" "$5" "$6")"

        if [ "$what" = none ]; then
            [ -z "$faults" ] || fail "checker rejects an undamaged copy: $faults"
        else
            [ -n "$faults" ] || fail "checker misses damage: $what"
        fi
    done

    [ "$failures" -eq "$before" ] && echo "ok   layout check passes an intact copy and rejects $((${#damages[@]} - 1)) kinds of damage"
    rm -rf "$tmp"
}

if [ ! -x "$generator" ]; then
    echo "generator not found at $generator (build the coilvox-irgen target or pass its path)"
    exit 2
fi

checkLayouts "$irDir"
checkSound
checkReproducible
checkCheckerRejectsDamage

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
