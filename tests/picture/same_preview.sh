#!/usr/bin/env bash
# The preview drawn by the Linux program's canvas and by the Windows
# program's under Wine must be the same picture but for the glyphs' edges:
# preview_picture draws a few views of each drawing on each platform and
# compare_previews holds them together (see there for the rule). The
# drawings: the demo, the fixture that holds every kind of entity, and a
# generated drawing of 3000 entities. On a failure the pictures and the
# difference pictures stay in the folder the log names.
#
# Usage: same_preview.sh LINUX-BUILD WINDOWS-BUILD
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
linux="$(realpath "$1")"
windows="$(realpath "$2")"
work="$(mktemp -d)"
export QT_QPA_PLATFORM=offscreen

mkdir -p "$work/demo" "$work/every_kind" "$work/generated"
cp "$root/demo/JWC_TEMP.TXT" "$work/demo/"
cp "$root/tests/render/fixtures/every_kind.txt" "$work/every_kind/JWC_TEMP.TXT"
"$linux/bench/scale_probe" generate "$work/generated/JWC_TEMP.TXT" 3000

# The Windows side's Wine session ends with this script: a server left
# running would keep its display-less desktop for the next Wine program.
trap '"$root/scripts/wine" wineserver -k 2>/dev/null || true' EXIT

status=0
for d in demo every_kind generated; do
  mkdir -p "$work/$d/linux" "$work/$d/windows" "$work/$d/diff"
  "$linux/tests/preview_picture" "$work/$d/JWC_TEMP.TXT" "$work/$d/linux"
  (cd "$work/$d" && "$root/scripts/wine" "$windows/tests/preview_picture.exe" JWC_TEMP.TXT windows)
  echo "== $d"
  "$linux/tests/compare_previews" "$work/$d/linux" "$work/$d/windows" "$work/$d/diff" || status=1
done
if [ "$status" -ne 0 ]; then
  echo "the previews differ; pictures (PPM) kept in $work" >&2
  exit 1
fi
rm -rf "$work"
