#!/usr/bin/env bash
# Draws the window-chrome bitmaps (page menu, about button, preset buttons,
# slider knobs) and the program icon with ImageMagick and the DejaVu Sans font.
# The PNGs are committed; run this again only after changing the drawing.
#
#   resources/bitmaps/101.png, 102.png   preset button: normal, hover (20x16)
#   resources/bitmaps/103..120.png       page-menu button i: normal 103+3i,
#                                        hover 104+3i, selected 105+3i (135x28)
#   resources/bitmaps/201.png            greyed Files button (135x28)
#   resources/bitmaps/202..204.png       About button: normal, hover, pressed (80x20)
#   resources/bitmaps/knob_*.png         slider knobs, normal and dimmed
#   resources/icons/quillotap*.png       program icon, 16/32/64/128 px
set -euo pipefail
cd "$(dirname "$0")/.."

BMP=resources/bitmaps
ICO=resources/icons
mkdir -p "$BMP" "$ICO"

FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
FONT_BOLD=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

# One palette for everything: cool grey surfaces, one blue accent.
BORDER="#9aa8b8"
TEXT="#24323f"
ACCENT_TOP="#4b90d8"
ACCENT_BOTTOM="#2a62a3"
ACCENT_LINE="#1f4f86"
HOVER_TOP="#f5f9fd"
HOVER_BOTTOM="#dce9f6"
HOVER_BORDER="#4b90d8"
HOVER_TEXT="#1a4f8a"
NORMAL_TOP="#f3f5f7"
NORMAL_BOTTOM="#d9e0e7"
GREY_FILL="#ebebeb"
GREY_BORDER="#c6c6c6"
GREY_TEXT="#a9a9a9"

# Strip metadata and timestamps so that a re-run gives identical files.
PNG_OPTS=(-strip -define png:exclude-chunks=date,time)

# button W H RADIUS TOP BOTTOM BORDER OUT: a rounded button face with a
# vertical gradient and a one-pixel border; transparent outside the corners.
button_face() {
    local w=$1 h=$2 r=$3 top=$4 bottom=$5 border=$6 out=$7
    convert -size "${w}x${h}" "gradient:${top}-${bottom}" \
        \( -size "${w}x${h}" xc:none -fill white \
        -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) $r,$r" \) \
        -compose CopyOpacity -composite -compose Over \
        -fill none -stroke "$border" -strokewidth 1 \
        -draw "roundrectangle 0.5,0.5 $((w - 1)).5,$((h - 1)).5 $r,$r" \
        "${PNG_OPTS[@]}" "$out"
}

# Page menu: label and glyph per button, in menu order.
LABELS=("Recorder" "Files" "Hotkey" "Icon Mode" "Options" "Help")
GLYPHS=("●" "♫" "⌨" "▣" "⚙" "?")

# menu_button INDEX STATE OUT, STATE one of normal, hover, selected, grey.
menu_button() {
    local i=$1 state=$2 out=$3
    local label=${LABELS[$i]} glyph=${GLYPHS[$i]}
    local tmp
    tmp=$(mktemp --suffix=.png)
    local font=$FONT text glyph_colour
    case $state in
    normal)
        button_face 135 28 5 "$NORMAL_TOP" "$NORMAL_BOTTOM" "$BORDER" "$tmp"
        text=$TEXT
        glyph_colour="#5a7088"
        ;;
    hover)
        button_face 135 28 5 "$HOVER_TOP" "$HOVER_BOTTOM" "$HOVER_BORDER" "$tmp"
        text=$HOVER_TEXT
        glyph_colour=$ACCENT_TOP
        ;;
    selected)
        button_face 135 28 5 "$ACCENT_TOP" "$ACCENT_BOTTOM" "$ACCENT_LINE" "$tmp"
        font=$FONT_BOLD
        text="#ffffff"
        glyph_colour="#ffffff"
        # A light marker bar at the left edge says "this page is shown".
        convert "$tmp" -fill "#cfe3fa" -stroke none -draw "rectangle 3,6 5,21" "$tmp"
        ;;
    grey)
        button_face 135 28 5 "$GREY_FILL" "$GREY_FILL" "$GREY_BORDER" "$tmp"
        text=$GREY_TEXT
        glyph_colour=$GREY_TEXT
        ;;
    esac
    # The record dot keeps its red except when greyed out.
    if [[ $i -eq 0 && $state != grey ]]; then
        glyph_colour="#d83a34"
    fi
    # The glyph is centred in a fixed column so that every label starts at
    # the same x whatever the glyph's width.
    local glyph_font=$FONT glyph_size=13
    [[ $glyph == "?" ]] && glyph_font=$FONT_BOLD
    [[ $glyph == "⌨" ]] && glyph_size=11
    convert "$tmp" \
        \( -size 22x28 xc:none -gravity Center -font "$glyph_font" -pointsize "$glyph_size" \
        -fill "$glyph_colour" -annotate +0+0 "$glyph" \) \
        -gravity NorthWest -geometry +8+0 -composite \
        -gravity West -font "$font" -pointsize 12 -fill "$text" -annotate +34+0 "$label" \
        "${PNG_OPTS[@]}" "$out"
    rm -f "$tmp"
}

for i in 0 1 2 3 4 5; do
    menu_button "$i" normal "$BMP/$((103 + 3 * i)).png"
    menu_button "$i" hover "$BMP/$((104 + 3 * i)).png"
    menu_button "$i" selected "$BMP/$((105 + 3 * i)).png"
done
menu_button 1 grey "$BMP/201.png"

# About button: normal, hover, pressed (pressed: darker and the label one
# pixel lower, as if pushed in).
about_button() {
    local out=$1 top=$2 bottom=$3 border=$4 text=$5 dy=$6
    button_face 80 20 4 "$top" "$bottom" "$border" "$out"
    convert "$out" -gravity Center -font "$FONT" -pointsize 11 -fill "$text" \
        -annotate "+0+$dy" "About" "${PNG_OPTS[@]}" "$out"
}
about_button "$BMP/202.png" "$NORMAL_TOP" "$NORMAL_BOTTOM" "$BORDER" "$TEXT" 0
about_button "$BMP/203.png" "$HOVER_TOP" "$HOVER_BOTTOM" "$HOVER_BORDER" "$HOVER_TEXT" 0
about_button "$BMP/204.png" "$ACCENT_BOTTOM" "$ACCENT_TOP" "$ACCENT_LINE" "#ffffff" 1

# Preset button (20x16): three level bars and a small arrow that says
# "opens a menu".
preset_button() {
    local out=$1 top=$2 bottom=$3 border=$4 ink=$5
    button_face 20 16 3 "$top" "$bottom" "$border" "$out"
    convert "$out" -fill "$ink" -stroke none \
        -draw "rectangle 4,8 5,12" -draw "rectangle 7,4 8,12" -draw "rectangle 10,6 11,12" \
        -draw "polygon 13,7 17,7 15,10" "${PNG_OPTS[@]}" "$out"
}
preset_button "$BMP/101.png" "$NORMAL_TOP" "$NORMAL_BOTTOM" "$BORDER" "#4a5d70"
preset_button "$BMP/102.png" "$HOVER_TOP" "$HOVER_BOTTOM" "$HOVER_BORDER" "$ACCENT_BOTTOM"

# Slider knobs: a rounded pill with grip lines across the direction of travel.
# Horizontal sliders move along x, so their knob is upright (11x21); the
# vertical slider's knob lies flat (21x11).
knob() {
    local w=$1 h=$2 top=$3 bottom=$4 border=$5 grip=$6 out=$7
    button_face "$w" "$h" 3 "$top" "$bottom" "$border" "$out"
    if ((w < h)); then
        local cy=$((h / 2))
        convert "$out" -stroke "$grip" -strokewidth 1 \
            -draw "line 3,$((cy - 3)) $((w - 4)),$((cy - 3))" \
            -draw "line 3,$cy $((w - 4)),$cy" \
            -draw "line 3,$((cy + 3)) $((w - 4)),$((cy + 3))" "${PNG_OPTS[@]}" "$out"
    else
        local cx=$((w / 2))
        convert "$out" -stroke "$grip" -strokewidth 1 \
            -draw "line $((cx - 3)),3 $((cx - 3)),$((h - 4))" \
            -draw "line $cx,3 $cx,$((h - 4))" \
            -draw "line $((cx + 3)),3 $((cx + 3)),$((h - 4))" "${PNG_OPTS[@]}" "$out"
    fi
}
knob 11 21 "$ACCENT_TOP" "$ACCENT_BOTTOM" "$ACCENT_LINE" "#d6e7fa" "$BMP/knob_h.png"
knob 11 21 "#e4e4e4" "#c4c4c4" "#a8a8a8" "#f4f4f4" "$BMP/knob_h_dim.png"
knob 21 11 "$ACCENT_TOP" "$ACCENT_BOTTOM" "$ACCENT_LINE" "#d6e7fa" "$BMP/knob_v.png"
knob 21 11 "#e4e4e4" "#c4c4c4" "#a8a8a8" "#f4f4f4" "$BMP/knob_v_dim.png"

# Program icon: a blue tile with a white quill whose nib touches a red
# "recording" dot. Drawn at 256 px and scaled down.
BIG=$(mktemp --suffix=.png)
convert -size 256x256 xc:none \
    \( -size 256x256 "gradient:${ACCENT_TOP}-${ACCENT_BOTTOM}" \) \
    \( -size 256x256 xc:none -fill white -draw "roundrectangle 8,8 247,247 44,44" \) \
    \( -clone 1 -clone 2 -compose CopyOpacity -composite \) -delete 1,2 \
    -compose Over -composite \
    -fill none -stroke "$ACCENT_LINE" -strokewidth 6 -draw "roundrectangle 8,8 247,247 44,44" \
    -stroke none -fill "#ffffff" \
    -draw "path 'M 196,36 C 150,48 104,96 84,160 L 76,190 L 92,176 C 140,150 186,100 196,36 Z'" \
    -stroke "$ACCENT_LINE" -strokewidth 5 -fill none \
    -draw "path 'M 186,58 C 150,90 112,134 84,186'" \
    -stroke "#ffffff" -strokewidth 4 -fill "#e23b33" -draw "circle 70,200 70,170" \
    "${PNG_OPTS[@]}" "$BIG"
for size in 16 32 128; do
    convert "$BIG" -filter Lanczos -resize "${size}x${size}" "${PNG_OPTS[@]}" "$ICO/quillotap-$size.png"
done
convert "$BIG" -filter Lanczos -resize 64x64 "${PNG_OPTS[@]}" "$ICO/quillotap.png"
rm -f "$BIG"

# ImageMagick writes 16 bits per channel by default; 8-bit RGBA looks the same
# and decodes several times faster, which every start of the program feels.
for f in "$BMP"/*.png "$ICO"/*.png; do
    convert "$f" -depth 8 "${PNG_OPTS[@]}" "PNG32:$f"
done

echo "bitmaps written to $BMP and $ICO"
