#!/usr/bin/env bash
# Rasterises the program's own pictures (the SVGs of the Qt windows) for the
# Windows build's resources, so that both front ends show one set of images:
#   rasterise-images.sh SVG_DIR OUT_DIR
# Each picture becomes OUT_DIR/NAME.pam (RGB with alpha) at twice its drawn
# size, sharp up to 200 % scaling; the program's icon becomes tailchime.ico.
# OUT_DIR/images.rc lists them for windres. Needs rsvg-convert (librsvg2-bin)
# and ImageMagick.
set -euo pipefail
src=$1
out=$2
mkdir -p "$out"
rc=$out/images.rc.new
: >"$rc"
for svg in "$src"/*.svg; do
    name=$(basename "$svg" .svg)
    scale=2
    # The photograph is drawn large; once its size keeps the program small.
    [ "$name" = about_site ] && scale=1
    rsvg-convert --zoom "$scale" "$svg" -o "$out/$name.png"
    convert "$out/$name.png" -alpha set "PAM:$out/$name.pam"
    rm -f "$out/$name.png"
    printf '%s RCDATA "%s"\n' "$name" "$out/$name.pam" >>"$rc"
done
for size in 16 24 32 48 64 256; do
    rsvg-convert -w "$size" -h "$size" "$src/tailchime.svg" -o "$out/icon-$size.png"
done
convert "$out"/icon-16.png "$out"/icon-24.png "$out"/icon-32.png "$out"/icon-48.png "$out"/icon-64.png \
    "$out"/icon-256.png "$out/tailchime.ico"
rm -f "$out"/icon-*.png
mv "$rc" "$out/images.rc"
