#!/usr/bin/env bash
# Compares two folders of window pictures pixel by pixel, e.g. the windows of two builds taken
# with window_screenshots or page_screenshot.py, to show that a change moved no pixel:
#   tools/screenshots/compare_pictures.sh BEFORE AFTER [DIFFERENCES]
# A picture is NAME.png or NAME.N.png; all NAME.N.png of a folder are pictures of one state taken
# a moment apart, so that a blinking caret is caught both shown and hidden. A state is the same
# when some picture of it in BEFORE equals some picture of it in AFTER in every pixel; otherwise
# the fewest differing pixels are printed and, given DIFFERENCES, that pair's difference picture
# is written there. Exit status 1 when a state differs or is missing on one side.
# Needs ImageMagick (Debian's imagemagick).
set -uo pipefail
if [ $# -lt 2 ]; then
    sed -n '2,3p' "$0" >&2
    exit 2
fi
before=$1 after=$2 differences=${3:-}
[ -n "$differences" ] && mkdir -p "$differences"

states() { find "$1" -maxdepth 1 -name '*.png' -printf '%f\n' | sed -E 's/(\.[0-9]+)?\.png$//' | sort -u; }
pictures() { find "$1" -maxdepth 1 \( -name "$2.png" -o -name "$2.[0-9]*.png" \) | sort; }

status=0 same=0 total=0
while read -r state; do
    total=$((total + 1))
    fewest= pair= sizes=
    while read -r a; do
        while read -r b; do
            [ -n "$a" ] && [ -n "$b" ] || continue
            size_a=$(identify -format '%wx%h' "$a") size_b=$(identify -format '%wx%h' "$b")
            if [ "$size_a" != "$size_b" ]; then
                sizes="$size_a against $size_b"
                continue
            fi
            # AE: the number of pixels that differ.
            count=$(compare -metric AE "$a" "$b" null: 2>&1 | sed 's/ .*//')
            if [ -z "$fewest" ] || [ "${count%.*}" -lt "${fewest%.*}" ]; then
                fewest=$count pair="$a $b"
            fi
        done < <(pictures "$after" "$state")
    done < <(pictures "$before" "$state")
    if [ "$fewest" = 0 ]; then
        echo "same     $state"
        same=$((same + 1))
        continue
    fi
    status=1
    if [ -n "$fewest" ]; then
        echo "DIFFERS  $state: $fewest pixels ($pair)"
        [ -n "$differences" ] && compare $pair "$differences/$state.png" 2>/dev/null
    elif [ -n "$sizes" ]; then
        echo "DIFFERS  $state: size $sizes"
    else
        echo "MISSING  $state"
    fi
done < <(sort -u <(states "$before") <(states "$after"))
echo "$same of $total states the same"
exit $status
