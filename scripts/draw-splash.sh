#!/usr/bin/env bash
# Draws the 800 x 434 picture shown by the splash window and the About box:
# the product title, a slogan and a version label on dark green, above three
# 8 x 8 LED boards whose red, green and blue dots spell L, E and D.
# Usage: scripts/draw-splash.sh [output.jpg]   (needs ImageMagick and DejaVu fonts)
set -euo pipefail

out=${1:-"$(dirname "$0")/../res/splash.jpg"}
fonts=/usr/share/fonts/truetype/dejavu
bold=$fonts/DejaVuSans-Bold.ttf
plain=$fonts/DejaVuSans.ttf

# Rows of each letter, top row first; X is a lit dot.
letter_L=(".X......" ".X......" ".X......" ".X......" ".X......" ".X......" ".XXXXXX." "........")
letter_E=(".XXXXXX." ".X......" ".X......" ".XXXXX.." ".X......" ".X......" ".XXXXXX." "........")
letter_D=(".XXXXX.." ".X....X." ".X....X." ".X....X." ".X....X." ".X....X." ".XXXXX.." "........")

pitch=24       # distance between dot centres
radius=9
board=$((8 * pitch + 16))
top=200
gap=$(((800 - 3 * board) / 4))

draw=()
# board_at LEFT LIT_COLOUR ROW...
board_at() {
    local left=$1 lit=$2
    shift 2
    draw+=(-fill '#050f08' -stroke '#2f6a40' -strokewidth 2
           -draw "roundrectangle $left,$top $((left + board)),$((top + board)) 10,10" -stroke none)
    local r c cx cy colour
    for r in 0 1 2 3 4 5 6 7; do
        local row=$1
        shift
        for c in 0 1 2 3 4 5 6 7; do
            cx=$((left + 8 + pitch / 2 + c * pitch))
            cy=$((top + 8 + pitch / 2 + r * pitch))
            colour='#1c2b21'
            [[ ${row:c:1} == X ]] && colour=$lit
            draw+=(-fill "$colour" -draw "circle $cx,$cy $((cx + radius)),$cy")
        done
    done
}

board_at $gap '#ff2020' "${letter_L[@]}"
board_at $((2 * gap + board)) '#20ff40' "${letter_E[@]}"
board_at $((3 * gap + 2 * board)) '#3060ff' "${letter_D[@]}"

convert -size 800x434 'xc:#0b3a1f' \
    -fill '#0f4a28' -draw 'rectangle 0,0 800,8' -draw 'rectangle 0,426 800,434' \
    -font "$bold" -pointsize 72 -fill '#f4f1d0' -annotate +40+100 'Pellmark' \
    -font "$plain" -pointsize 24 -fill '#a8d8b0' -annotate +44+146 'Every dot in its place, every sign in its light.' \
    -font "$plain" -pointsize 18 -fill '#7fb08a' -gravity NorthEast -annotate +40+40 'Version 1.0' -gravity NorthWest \
    "${draw[@]}" \
    -type TrueColor -colorspace sRGB -interlace none -sampling-factor 2x2 -quality 92 -strip \
    "jpeg:$out"
echo "wrote $out"
