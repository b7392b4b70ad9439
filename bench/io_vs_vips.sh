#!/usr/bin/env bash
# Whole-process loading and saving against vips copy, on one 4096 x 3072
# photograph-like picture in BMP, PNG, JPEG and TIFF.
#
#   bench/io_vs_vips.sh [BUILD_DIR]     (default: build)
#
# Needs vips (libvips-tools) and hyperfine; works in a temporary folder.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
runner="${1:-$top/build}/src/batch/wrimple-batch"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Three blurred noise fields with fine noise on top: smooth areas and texture.
vips gaussnoise r0.v 4096 3072 --mean 128 --sigma 90 --seed 1
vips gaussblur r0.v r.v 12
vips gaussnoise g0.v 4096 3072 --mean 128 --sigma 90 --seed 2
vips gaussblur g0.v g.v 5
vips gaussnoise b0.v 4096 3072 --mean 128 --sigma 90 --seed 3
vips gaussblur b0.v b.v 20
vips bandjoin "r.v g.v b.v" rgb.v
vips gaussnoise fine.v 4096 3072 --mean 0 --sigma 6 --seed 4
vips add rgb.v fine.v sum.v
vips cast sum.v photo.v uchar
for ext in bmp png tif; do vips copy photo.v "photo.$ext"; done
vips copy photo.v "photo.jpg[Q=90]"

uptime
for ext in bmp png jpg tif; do
  printf 'target-size 4096 3072\nopen photo.%s\nsave-as out.%s\n' "$ext" "$ext" >"s_$ext.wb"
  hyperfine -N --warmup 1 --runs 5 "$runner s_$ext.wb" "vips copy photo.$ext vout.$ext"
done
uptime
