#!/usr/bin/env bash
# The measurement at scale: generates the host's file of 1 000 000 entities
# (texts included) and a file of 100 MB on one line, runs the core's share of
# a session on them (bench/scale_probe.cpp) under /usr/bin/time, and prints
# one table of the figures against their targets.
#
# Times are wall-clock and CPU seconds; the verdict goes by the wall time, the
# time the user waits. A redraw draws its texts on a second thread, so the
# CPU time adds both threads' work and tells what a step costs, not how long
# it takes. The rows of the window come from the program's own window
# (bench/window_probe.cpp) at the bounds of a settings file, 1500 x 950.
# The session and the window are run HORUNE_SCALE_RUNS times (default 3) and
# every figure is the median of its runs: this machine's speed wanders from
# one second to the next, and a single run would measure the wandering.
# Windows columns follow: the same session cross-built with the Windows
# program's canvas and run under Wine, and the Windows program's own window
# (bench/window_probe_win32.cpp) under Wine on the X server of the Linux
# window, runs of the two windows taken in turn; side by side with the Linux
# figures (HORUNE_SCALE_WINDOWS=0 leaves them out, and the Linux window
# runs on the offscreen platform).
# Usage: bench/scale.sh [entities, default 1000000]
# HORUNE_SCALE_PICTURE=file.png also keeps the window's first complete picture.
set -euo pipefail
cd "$(dirname "$0")/.."
entities="${1:-1000000}"
runs="${HORUNE_SCALE_RUNS:-3}"
windows="${HORUNE_SCALE_WINDOWS:-1}"
export QT_QPA_PLATFORM=offscreen

"$PWD/scripts/install-deps"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHORUNE_WERROR=ON >/dev/null
cmake --build build --target scale_probe window_probe >/dev/null
probe=build/bench/scale_probe
if [ "$windows" != 0 ]; then
  cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release -DHORUNE_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build build-windows --target scale_probe window_probe >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$probe" generate "$work/JWC_TEMP.TXT" "$entities" 2>/dev/null
"$probe" oneline "$work/oneline.txt" 100 2>/dev/null

# Runs the probe under /usr/bin/time; its figures and "peak_mb" go to $2.
measure() {
  /usr/bin/time -f "peak_mb %M" -o "$2.time" "$probe" "$1" "$3" >"$2" 2>/dev/null
  awk '{ printf "peak_mb %.1f\n", $2 / 1024 }' "$2.time" >>"$2"
}
# median OUT FILE...: each figure of the files ("name value..." lines), value
# by value, the median of the files' values.
median() {
  local out="$1"
  shift
  awk '{ for (c = 2; c <= NF; ++c) v[$1, c, ++n[$1, c]] = $c; cols[$1] = NF; if (!($1 in seen)) { seen[$1] = 1; order[++k] = $1 } }
       END {
         for (i = 1; i <= k; ++i) {
           name = order[i]; line = name
           for (c = 2; c <= cols[name]; ++c) {
             m = n[name, c]
             for (a = 1; a <= m; ++a) s[a] = v[name, c, a]
             for (a = 2; a <= m; ++a) for (b = a; b > 1 && s[b - 1] + 0 > s[b] + 0; --b) { t = s[b]; s[b] = s[b - 1]; s[b - 1] = t }
             line = line " " s[int((m + 1) / 2)]
           }
           print line
         }
       }' "$@" >"$out"
}
for run in $(seq "$runs"); do measure session "$work/session.$run" "$work/JWC_TEMP.TXT"; done
median "$work/session" "$work"/session.*
measure read "$work/oneline" "$work/oneline.txt"
measure write "$work/write" "$work/JWC_TEMP.TXT"
# The program's own windows on a full-HD screen, each over a program folder
# with the generated drawing and over one with a drawing of one line, whose
# start-up is taken off to tell what the drawing adds ("added"); both
# folders hold a settings file that puts the window at 1500 x 950. The
# time before main (the system's start of a program, Wine's own under Wine)
# is the same for both drawings and is taken off each run: it wanders by
# tens of milliseconds with what ran just before.
mkdir -p "$work/large" "$work/tiny"
ln "$work/JWC_TEMP.TXT" "$work/large/JWC_TEMP.TXT"
"$probe" generate "$work/tiny/JWC_TEMP.TXT" 1 2>/dev/null
for folder in large tiny; do printf '0\r\n0\r\n1500\r\n950\r\n' >"$work/$folder/horune.dat"; done
sides=(linux)
if [ "$windows" != 0 ]; then
  # An X server and a Wine session of their own; the Linux window runs on
  # the same server, as its users' does.
  root="$PWD"
  screen=1920x1080x24
  # shellcheck source=tests/win32/wine_session.sh
  . tests/win32/wine_session.sh
  linux_platform=xcb
  sides+=(windows)
else
  cat >"$work/screen.json" <<'JSON'
{ "screens": [ { "name": "full-hd", "x": 0, "y": 0, "width": 1920, "height": 1080, "dpi": 96, "dpr": 1 } ] }
JSON
  linux_platform="offscreen:configfile=$work/screen.json"
fi
# window SIDE FOLDER OUT: one run of a side's window probe over the folder.
window() {
  local folder="$work/$2"
  if [ "$1" = linux ]; then
    QT_QPA_PLATFORM="$linux_platform" build/bench/window_probe "$folder" \
      ${HORUNE_SCALE_PICTURE:+"$HORUNE_SCALE_PICTURE"} >"$3" 2>/dev/null
  else
    # The probe's zero: the Unix time of its start, Wine's own start included.
    HORUNE_PROBE_START=$(date +%s.%N) scripts/wine build-windows/bench/window_probe.exe \
      "Z:${folder//\//\\}" 2>/dev/null | tr -d '\r' >"$3"
  fi
}
# A first run of each, not counted, starts the caches and, under Wine, the
# session's own programs, which keep the processors busy for a while.
for side in "${sides[@]}"; do window "$side" tiny /dev/null; done
[ "$windows" != 0 ] && sleep 3
for run in $(seq "$runs"); do
  # Every other run the other side first, so neither always follows the other.
  order=("${sides[@]}")
  [ $((run % 2)) -eq 0 ] && mapfile -t order < <(printf '%s\n' "${sides[@]}" | tac)
  for side in "${order[@]}"; do
    if [ $((run % 2)) -eq 0 ]; then
      window "$side" tiny "$work/$side-tiny.$run"
      window "$side" large "$work/$side.$run"
    else
      window "$side" large "$work/$side.$run"
      window "$side" tiny "$work/$side-tiny.$run"
    fi
    added=$(awk '$1 == "first_picture" { p[FILENAME] = $2 } $1 == "main_begins" { m[FILENAME] = $2 }
                 END { a = ARGV[1]; b = ARGV[2]; printf "added %.4f", (p[a] - m[a]) - (p[b] - m[b]) }' \
      "$work/$side.$run" "$work/$side-tiny.$run")
    echo "$added" >>"$work/$side.$run"
  done
done
for side in "${sides[@]}"; do
  median "$work/$side-window" "$work/$side".[0-9]*
  median "$work/$side-tiny" "$work/$side-tiny".*
done

# field FILE NAME [COLUMN]: the value of one figure.
field() { awk -v n="$2" -v c="${3:-2}" '$1 == n { print $c }' "$1"; }

s="$work/session"
file_mb=$(field "$s" file_mb)
ents=$(field "$s" entities)
load=$(cut -d' ' -f1 /proc/loadavg)
cores=$(nproc)

printf '\nhorune at scale: %s entities, %s MB host file; %s cores, load %s; median of %s runs\n\n' \
  "$ents" "$file_mb" "$cores" "$load" "$runs"
printf '| %-46s | %-12s | %-12s | %-12s | %-7s |\n' figure target wall cpu verdict
printf '|%s|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..48})" "$(printf -- '-%.0s' {1..14})" \
  "$(printf -- '-%.0s' {1..14})" "$(printf -- '-%.0s' {1..14})" "$(printf -- '-%.0s' {1..9})"

# row LABEL TARGET-SECONDS FIGURE: a timed step against its target.
row() {
  local wall cpu verdict
  wall=$(field "$s" "$3" 2)
  cpu=$(field "$s" "$3" 3)
  verdict=$(awk -v v="$wall" -v t="$2" 'BEGIN { print (v <= t) ? "ok" : "OVER" }')
  printf '| %-46s | %-12s | %-12s | %-12s | %-7s |\n' "$1" "<= $2 s" "$wall s" "$cpu s" "$verdict"
}
# rate LABEL FILE FIGURE AMOUNT UNIT: a throughput, by wall and CPU time.
rate() {
  local wall cpu
  wall=$(field "$2" "$3" 2)
  cpu=$(field "$2" "$3" 3)
  printf '| %-46s | %-12s | %-12s | %-12s | %-7s |\n' "$1" "" \
    "$(awk -v a="$4" -v t="$wall" 'BEGIN { printf "%.1f", a / t }') $5" \
    "$(awk -v a="$4" -v t="$cpu" 'BEGIN { printf "%.1f", a / t }') $5" ""
}
ment=$(awk -v e="$ents" 'BEGIN { print e / 1e6 }')
rate "reader" "$s" read "$file_mb" "MB/s"
rate "reader" "$s" read "$ment" "M ent/s"
rate "writer (WriteAll + SaveJwcTemp, whole drawing)" "$work/write" write "$ment" "M ent/s"
rate "renderer, fitted redraw" "$s" render_fitted "$ment" "M ent/s"
row "start-up to first picture (core)" 1 first_picture
row "recomputation of 200 rows with redraw (core)" 0.5 recompute_200_rows
row "OK to the written answer (core)" 0.5 ok_to_answer
row "wheel notch, fitted (core)" 0.3 notch_fitted
row "wheel notch, zoomed to 1/100 (core)" 0.05 notch_hundredth

peak=$(field "$s" peak_mb)
limit=$(awk -v f="$file_mb" 'BEGIN { printf "%.0f", 2 * f + 80 }')
printf '| %-46s | %-12s | %-12s | %-12s | %-7s |\n' "peak memory (core)" "<= $limit MB" "$peak MB" "" \
  "$(awk -v p="$peak" -v l="$limit" 'BEGIN { print (p <= l) ? "ok" : "OVER" }')"
one=$(field "$work/oneline" peak_mb)
printf '| %-46s | %-12s | %-12s | %-12s | %-7s |\n' "peak memory, reading 100 MB on one line" \
  "<= 280 MB" "$one MB" "" "$(awk -v p="$one" 'BEGIN { print (p <= 280) ? "ok" : "OVER" }')"
# wrow LABEL TARGET-SECONDS FIGURE: a step of the window, by the wall clock.
w="$work/linux-window"
wrow() {
  local wall
  wall=$(field "$w" "$3")
  printf '| %-46s | %-12s | %-12s | %-12s | %-7s |\n' "$1" "<= $2 s" "$wall s" "" \
    "$(awk -v v="$wall" -v t="$2" 'BEGIN { print (v <= t) ? "ok" : "OVER" }')"
}
printf '| %-46s | %-12s | %-12s | %-12s | %-7s |\n' "start-up to the window, drawing read" "" \
  "$(field "$w" window_made) s" "" ""
wrow "start-up to first picture, in the window" 1 first_picture
wrow "longest the window waits in the first redraw" 0.1 longest_block
wrow "wheel notch in a fitted redraw, answered" 0.1 wheel_answered
wrow "wheel notch, fitted, in the window" 0.3 notch_fitted
wrow "Esc in a fitted redraw, answered" 0.1 esc_answered
wpeak=$(field "$w" peak_mb)
printf '| %-46s | %-12s | %-12s | %-12s | %-7s |\n' "peak memory of the program" "<= $limit MB" \
  "$wpeak MB" "" "$(awk -v p="$wpeak" -v l="$limit" 'BEGIN { print (p <= l) ? "ok" : "OVER" }')"
printf '\nthe first redraw in the window took %.0f slices\n' "$(field "$w" first_slices)"

# The Windows columns: the core's session on the Windows program's canvas,
# cross-built and run under Wine, whose output lines end in CR LF; and the
# two windows' runs above.
if [ "$windows" != 0 ]; then
  for run in $(seq "$runs"); do
    scripts/wine build-windows/bench/scale_probe.exe session "$work/JWC_TEMP.TXT" 2>/dev/null |
      tr -d '\r' >"$work/wsession.$run"
  done
  median "$work/wsession" "$work"/wsession.*
  ws="$work/wsession"
  # header TITLE: a side-by-side table's title and head.
  header() {
    printf '\n%s\n\n' "$1"
    printf '| %-44s | %-10s | %-14s | %-8s | %-16s | %-7s |\n' figure Linux "Windows (Wine)" ratio target verdict
    printf '|%s|%s|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..46})" "$(printf -- '-%.0s' {1..12})" \
      "$(printf -- '-%.0s' {1..16})" "$(printf -- '-%.0s' {1..10})" "$(printf -- '-%.0s' {1..18})" \
      "$(printf -- '-%.0s' {1..9})"
  }
  # side LABEL LINUX-FILE WINDOWS-FILE FIGURE [UNIT] [TARGET]: a figure of
  # both and their ratio; with TARGET "ratio" the Windows one is held to at
  # most 1.3 times Linux's, with a number both are held to at most that.
  side() {
    local lin win unit="${5-s}" target="${6:-}" limit="" verdict=""
    lin=$(field "$2" "$4")
    win=$(field "$3" "$4")
    case "$target" in
      "") ;;
      ratio)
        limit="<= 1.3 x Linux"
        verdict=$(awk -v a="$win" -v b="$lin" 'BEGIN { print (a <= 1.3 * b) ? "ok" : "OVER" }')
        ;;
      *)
        limit="<= $target $unit"
        verdict=$(awk -v a="$win" -v b="$lin" -v t="$target" 'BEGIN { print (a <= t && b <= t) ? "ok" : "OVER" }')
        ;;
    esac
    printf '| %-44s | %-10s | %-14s | %-8s | %-16s | %-7s |\n' "$1" "$lin $unit" "$win $unit" \
      "$(awk -v a="$win" -v b="$lin" 'BEGIN { if (b > 0) printf "%.2f", a / b }')" "$limit" "$verdict"
  }
  header "the same session, Linux and Windows (under Wine) side by side"
  side "start-up to first picture (core)" "$s" "$ws" first_picture s ratio
  side "fitted redraw (core)" "$s" "$ws" render_fitted s ratio
  side "wheel notch, fitted (core)" "$s" "$ws" notch_fitted s ratio
  side "wheel notch, zoomed to 1/100 (core)" "$s" "$ws" notch_hundredth s ratio
  side "peak memory (core)" "$s" "$ws" peak_mb MB "$limit"

  lw="$work/linux-window"
  ww="$work/windows-window"
  header "the windows, Linux and Windows (under Wine) side by side, 1500 x 950 on one X server"
  side "start-up to main, one-line drawing" "$work/linux-tiny" "$work/windows-tiny" main_begins
  side "start-up to first picture, one-line drawing" "$work/linux-tiny" "$work/windows-tiny" first_picture
  side "start-up to first picture" "$lw" "$ww" first_picture
  side "what the drawing adds to the first picture" "$lw" "$ww" added s ratio
  side "CPU time by the first picture" "$lw" "$ww" first_picture_cpu
  side "redraws begun before the first picture" "$lw" "$ww" first_redraws "" 1
  side "longest the window waits in the first redraw" "$lw" "$ww" longest_block s 0.1
  side "wheel notch in a fitted redraw, answered" "$lw" "$ww" wheel_answered s 0.1
  side "wheel notch, fitted" "$lw" "$ww" notch_fitted s ratio
  side "Esc in a fitted redraw, answered" "$lw" "$ww" esc_answered s 0.1
  side "peak memory of the program" "$lw" "$ww" peak_mb MB "$limit"
  # The window's bounds hold its frame on Windows, only its inside on Linux.
  printf '| %-44s | %-10s | %-14s | %-8s | %-16s | %-7s |\n' "the preview, pixels" \
    "$(field "$lw" preview_width | cut -d. -f1) x $(field "$lw" preview_height | cut -d. -f1)" \
    "$(field "$ww" preview_width | cut -d. -f1) x $(field "$ww" preview_height | cut -d. -f1)" "" "" ""
fi
echo
echo "verdict by wall time"
