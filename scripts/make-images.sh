#!/usr/bin/env bash
# Draws the pictures of installed/Images from the SVG sources in tools/images/.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert; the pictures are
# committed, so only whoever changes a source runs this.
#
#   bash scripts/make-images.sh          # writes installed/Images/*
#   bash scripts/make-images.sh --sheet  # also writes out/images-sheet.png, all pictures side by side
set -euo pipefail
cd "$(dirname "$0")/.."

src=tools/images
dst=installed/Images
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$dst"

# Toolbar buttons, in the designer's toolbar order: Name1.jpg at rest,
# Name2.jpg under the mouse; each is the button face with the glyph on top.
toolbar=(Forms Project View Label Button TextBox TextArea CheckBox Option Combo ListBox
         Frame Image Grid Tab Calendar Link UL Format Action BringToFront SendToBack)

# JPEG with full colour resolution: small pictures of thin lines would smear
# with the usual halved chroma.
jpeg() { convert "$1" -background white -flatten -sampling-factor 1x1 -quality 95 -strip "$2"; }

rsvg-convert "$src/toolbar/_normal.svg" -o "$work/normal.png"
rsvg-convert "$src/toolbar/_hover.svg" -o "$work/hover.png"
for name in "${toolbar[@]}"; do
  rsvg-convert "$src/toolbar/$name.svg" -o "$work/$name.png"
  convert "$work/normal.png" "$work/$name.png" -composite "$work/$name-1.png"
  convert "$work/hover.png" "$work/$name.png" -composite "$work/$name-2.png"
  jpeg "$work/$name-1.png" "$dst/${name}1.jpg"
  jpeg "$work/$name-2.png" "$dst/${name}2.jpg"
done

for name in closebutton comp_logo StartImage; do
  rsvg-convert "$src/$name.svg" -o "$work/$name.png"
  jpeg "$work/$name.png" "$dst/$name.jpg"
done

# Icons: one picture each, transparent around the drawing; 16 by 16, but the
# picture-file button's icon fills its 20 by 15 button.
for name in opendialogbox uparrow downarrow find; do
  rsvg-convert "$src/icons/$name.svg" -o "$work/$name.png"
  convert "$work/$name.png" "$dst/$name.ico"
done

if [ "${1:-}" = "--sheet" ]; then
  mkdir -p out
  pics=()
  for name in "${toolbar[@]}"; do pics+=("$dst/${name}1.jpg" "$dst/${name}2.jpg"); done
  montage "${pics[@]}" -tile 8x -geometry 24x24+4+4 "$work/toolbar.png"
  convert "$work/toolbar.png" -scale 400% "$work/toolbar.png"
  for name in opendialogbox uparrow downarrow find; do
    convert "$dst/$name.ico" -background '#E4E8EF' -flatten "$work/$name-flat.png"
  done
  montage "$dst/closebutton.jpg" "$work"/{opendialogbox,uparrow,downarrow,find}-flat.png \
    -tile 5x -geometry +4+4 "$work/small.png"
  convert "$work/small.png" -scale 400% "$work/small.png"
  montage "$dst/comp_logo.jpg" "$dst/StartImage.jpg" -tile 2x -geometry +8+8 "$work/large.png"
  convert "$work/toolbar.png" "$work/small.png" "$work/large.png" -background white -gravity west -append +repage -depth 8 out/images-sheet.png
  echo "out/images-sheet.png"
fi
