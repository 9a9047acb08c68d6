#!/usr/bin/env bash
# horune.exe under Wine as a host user meets it, each drive checked in the
# files the program leaves or in its pixels:
#   focus     type into point 2's distance, switch to another program and
#             back, zoom with PageUp and type on: the keys reach the view and
#             the edit, and plain letters are text, never OK's or cancel's
#             mnemonic;
#   question  the clear button's question answered No: the focus is back in
#             the edit;
#   warning   a cell the computation reads as 0 puts a warning in the status
#             line; mending the cell takes it away again;
#   resize    after a resize the window is painted whole (what it shows
#             equals a full repaint of it);
#   wheel     four touchpad deltas of 30 zoom in as far as one notch of
#             120 zooms out;
#   dpi       the same at 144 dots per inch;
#   least     at the least size OK is whole, and a click on it answers;
#   menu      Shift+F10 opens the area menu, its access key S picks 三斜法,
#             B asks for a setback in a box that takes the keys;
#   fullwidth full-width digits from the input method land half-width.
# Usage: window_drives.sh horune.exe windrive.exe
# HORUNE_WINDOW_PICTURES=folder keeps the pictures of the window at 96 and
# 144 dpi, after a resize with the demo table computed.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
exe="$(realpath "$1")"
drive="$(realpath "$2")"
closer=true
work="$(mktemp -d)"
# shellcheck source=tests/win32/wine_session.sh
. "$here/wine_session.sh"
failures=0
fail() {
  echo "FAIL $*" >&2
  failures=$((failures + 1))
}

# The control ids of OK and the clear button (see ControlId in app/frontend.h).
button1=108
button3=110

# Starts horune.exe in a fresh folder with the demo drawing and table; sets
# dir, pid and win.
start() {
  dir="$work/$1"
  mkdir -p "$dir"
  cp "$exe" "$dir/horune.exe"
  cp "$root/demo/JWC_TEMP.TXT" "$dir/"
  host_text "${2:-$root/demo/sample.dlist}" >"$dir/horune.dat"
  (cd "$dir" && exec "$root/scripts/wine" horune.exe) &
  pid=$!
  win="$(window_of 'ホルネ')"
  sleep 1
}

# Keys to whatever window has the focus now.
keys() {
  for k in "$@"; do
    case "$k" in
      type:*) xdotool type --delay 60 "${k#type:}" ;;
      *) xdotool key --clearmodifiers "$k" ;;
    esac
    sleep 0.4
  done
}

windrive() {
  "$root/scripts/wine" "$drive" "$@"
  sleep 1
}

settings_line() {
  sed -n "$1p" "$dir/horune.dat" | tr -d '\r'
}

same_pictures() {
  cmp -s <(pngtopnm "$1") <(pngtopnm "$2")
}

# The same picture but for glyph edges: a view zoomed in and out again may
# place a glyph a fraction of a pixel apart, a level or two of its edge.
near_pictures() {
  pamarith -difference <(pngtopnm "$1") <(pngtopnm "$2") | pnmtoplainpnm | tail -n +4 |
    awk '{ for (i = 1; i <= NF; ++i) if ($i > 8) exit 1 }'
}

# The window's picture once it has stopped changing: a loaded machine may
# still be drawing or painting when asked.
steady_photo() {
  photo "$1" "$2"
  for _ in $(seq 40); do
    sleep 0.5
    photo "$1" "$work/again.png"
    same_pictures "$2" "$work/again.png" && return 0
    mv "$work/again.png" "$2"
  done
}

# Waits until the keyboard is the window's again.
focused() {
  for _ in $(seq 100); do
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
    sleep 0.1
  done
}

# The status line: a band above the 65-pixel strip at the bottom.
status_band() {
  local h
  h="$(xdotool getwindowgeometry "$win" | awk '/Geometry/ {split($2, s, "x"); print s[2]}')"
  photo "$win" "$1" 0 $((h - 86)) -1 16
}

drive_focus() {
  start focus
  press "$win" type:15000
  windrive away 1500
  focused "$win"
  # The view keys act from the edit at once; the edit keeps the focus.
  photo "$win" "$work/before.png" 0 0 300 300
  keys Prior
  sleep 1
  photo "$win" "$work/zoomed.png" 0 0 300 300
  keys type:7 n y BackSpace BackSpace Tab alt+y
  wait_exit "$pid"
  same_pictures "$work/before.png" "$work/zoomed.png" && fail "focus: PageUp did not zoom"
  [ "$(settings_line 6)" = 150007 ] || fail "focus: point 2's distance is '$(settings_line 6)', not 150007"
  [ "$(head -c 2 "$dir/JWC_TEMP.TXT")" = hd ] || fail "focus: a plain letter ended the run"
}

drive_question() {
  start question
  press "$win" type:15000
  windrive click "$button3"
  # The box's default answer is No.
  keys Return type:7 Tab alt+y
  wait_exit "$pid"
  [ "$(settings_line 6)" = 150007 ] || fail "question: point 2's distance is '$(settings_line 6)'"
}

drive_warning() {
  # Bounds, a blank, point 2's two values, one row: its distance in a full-width digit.
  printf '0\n0\n660\n539\n\n10\n0\n1\n1\n６\n2\n8\n0\n' >"$work/warning.dlist"
  start warning "$work/warning.dlist"
  status_band "$work/hint.png"
  press "$win" Tab
  sleep 1
  status_band "$work/warned.png"
  # Into the table, to the distance cell, mended; Enter commits it.
  press "$win" Tab Right type:6 Return
  sleep 1
  status_band "$work/mended.png"
  press "$win" alt+n
  wait_exit "$pid"
  same_pictures "$work/hint.png" "$work/warned.png" && fail "warning: no warning was shown"
  same_pictures "$work/hint.png" "$work/mended.png" || fail "warning: it stayed after the cell was mended"
}

drive_least() {
  # Bounds of 100 x 50: the window opens at the least size.
  printf '0\n0\n100\n50\n\n10\n0\n1\n1\n6\n2\n8\n0\n' >"$work/least.dlist"
  start least "$work/least.dlist"
  local l t r b w h
  read -r l t r b w h < <("$root/scripts/wine" "$drive" where "$button1" | tr -d '\r')
  [ "$l" -ge 0 ] && [ "$t" -ge 0 ] && [ "$r" -le "$w" ] && [ "$b" -le "$h" ] ||
    fail "least: OK at $l $t $r $b is not whole in the client area of $w x $h"
  xdotool mousemove --window "$win" $(((l + r) / 2)) $(((t + b) / 2)) click 1
  wait_exit "$pid"
  [ "$(head -c 2 "$dir/JWC_TEMP.TXT")" = hd ] || fail "least: the click on OK did not answer"
}

drive_menu() {
  start menu
  press "$win" Tab shift+F10 s shift+F10 b
  # The setback's box has the keys.
  keys "type:1-2 300" Return
  press "$win" alt+n
  wait_exit "$pid"
  grep -q '^area.method=base-height' "$dir/horune.dat" || fail "menu: Shift+F10 then S chose nothing"
  grep -q '^area.setback=1-2:300' "$dir/horune.dat" || fail "menu: the setback typed was not kept"
}

drive_fullwidth() {
  start fullwidth
  windrive ime １２０００
  press "$win" Tab alt+y
  wait_exit "$pid"
  [ "$(settings_line 6)" = 12000 ] || fail "fullwidth: point 2's distance is '$(settings_line 6)'"
  [ "$(head -c 2 "$dir/JWC_TEMP.TXT")" = hd ] || fail "fullwidth: no outline was drawn"
}

# Resize, a full repaint, and four deltas of 30 against one of 120; the
# pictures go to the folder given at the dpi given.
drive_view() {
  local dpi="$1"
  "$root/scripts/wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$dpi" /f >/dev/null 2>&1
  start "view$dpi"
  # Computed, and on into the table: no caret blinks in the pictures.
  press "$win" Tab Tab
  xdotool windowsize --sync "$win" 900 640
  steady_photo "$win" "$work/resized.png"
  # Another window over it and away again: everything is painted anew.
  xclock -geometry 1000x800+0+0 &
  local clock=$!
  sleep 1
  kill "$clock"
  steady_photo "$win" "$work/repainted.png"
  [ -n "${HORUNE_WINDOW_PICTURES:-}" ] && cp "$work/resized.png" "$HORUNE_WINDOW_PICTURES/window-windows-$dpi.png"
  same_pictures "$work/resized.png" "$work/repainted.png" || fail "resize at $dpi dpi: stale pixels"
  # In by four deltas of 30, out by one notch: where it was.
  windrive wheel -30 4
  steady_photo "$win" "$work/deltas.png"
  windrive wheel 120 1
  steady_photo "$win" "$work/back.png"
  press "$win" alt+n
  wait_exit "$pid"
  same_pictures "$work/resized.png" "$work/deltas.png" && fail "wheel at $dpi dpi: the deltas did nothing"
  near_pictures "$work/resized.png" "$work/back.png" || fail "wheel at $dpi dpi: 4 x 30 is not one notch"
  "$root/scripts/wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d 96 /f >/dev/null 2>&1
}

# HORUNE_WINDOW_DRIVES=regex runs only the drives whose names match.
for d in focus question warning least menu fullwidth "view 96" "view 144"; do
  [[ "$d" =~ ${HORUNE_WINDOW_DRIVES:-.} ]] || continue
  before=$failures
  # shellcheck disable=SC2086
  drive_$d
  [ "$failures" -eq "$before" ] && echo "ok   $d"
done
[ "$failures" -eq 0 ]
