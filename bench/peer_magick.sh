#!/usr/bin/env bash
# Peer export with ImageMagick: one `convert` process draws every code of the
# default list black, with a white outline reaching STROKE pixels out, on a
# transparent background and writes each as a 16-bit RGBA PNG at compression
# level 9. Runs /usr/bin/convert itself, the packaged program.
#   peer_magick.sh FONT_FILE CELL_PX STROKE OUT_DIR
set -euo pipefail
export LC_ALL=C.UTF-8
font=$1 cell=$2 stroke=$3 folder=$4
# DejaVu Sans: ascent + descent (Windows metrics) is 1.164 em.
points=$(awk -v c="$cell" 'BEGIN {printf "%d", c / 1.1641 + 0.5}')
codes=($(seq 32 126) 168 176 184 $(seq 192 255))
bytes=""
for code in "${codes[@]}"; do bytes+=$(printf '\\x%02x' "$code"); done
chars=$(printf "$bytes" | iconv -f CP1251 -t UTF-8)
args=(-background none -fill black -font "$font" -pointsize "$points")
if ((stroke > 0)); then args+=(-stroke white -strokewidth $((2 * stroke))); fi
args+=(-define png:compression-level=9 -define png:color-type=6 -depth 16)
for i in "${!codes[@]}"; do
  char=${chars:i:1}
  case $char in
    %) char='%%' ;;
    \\) char='\\' ;;
    @) char='\@' ;;
  esac
  if [[ $char == " " ]]; then
    # label: makes no image of a lone space: a clear cell of a space's width.
    args+=(-size "$(((points * 32 + 50) / 100))x$cell" xc:none +size)
  else
    args+=("label:$char")
  fi
  # The last image is the command's own output; the others are written on the way.
  if ((i + 1 < ${#codes[@]})); then args+=(-write "$folder/$((codes[i] + 2048)).png" +delete); fi
done
exec /usr/bin/convert "${args[@]}" "$folder/$((codes[-1] + 2048)).png"
