#!/usr/bin/env bash
# horune.exe under Wine, driven as a person would on a bare X server: each
# case starts the Windows program and the Linux program in program folders
# of their own holding the same host file and settings file, presses the
# same keys in each (Tab, Alt+Y; Alt+N; the close box), and requires the
# answer file and the settings file they leave to be byte-identical.
#
# Usage: window_test.sh horune.exe linux-horune close-window-helper
# HORUNE_WINDOW_CASES=regex runs only the cases whose names match.
# HORUNE_WINDOW_PICTURE=file.png also photographs the Windows window of the
# first case once its outline is drawn.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
exe="$(realpath "$1")"
linux="$(realpath "$2")"
closer="$(realpath "$3")"
work="$(mktemp -d)"
# shellcheck source=tests/win32/wine_session.sh
. "$here/wine_session.sh"

# run_case name host-file settings-file picture keys...
run_case() {
  local name="$1" host="$2" settings="$3" picture="$4"
  shift 4
  # The Windows program folder has a Japanese name: paths go through the
  # wide-character API.
  local win="$work/$name/ホルネ作業" lin="$work/$name/linux"
  mkdir -p "$win" "$lin"
  cp "$exe" "$win/horune.exe"
  cp "$linux" "$lin/horune"
  for d in "$win" "$lin"; do
    host_text "$host" >"$d/JWC_TEMP.TXT"
    [ -n "$settings" ] && host_text "$settings" >"$d/horune.dat"
  done

  (cd "$win" && exec "$root/scripts/wine" horune.exe) &
  local pid=$!
  local w
  w="$(window_of 'ホルネ')" || { echo "$name: no Windows window" >&2; return 1; }
  press "$w" "${@:1:$#-1}"
  if [ -n "$picture" ]; then
    sleep 1
    photo "$w" "$picture"
  fi
  press "$w" "${@: -1}"
  wait_exit "$pid"

  (cd "$lin" && QT_QPA_PLATFORM=xcb exec ./horune) &
  pid=$!
  w="$(window_of 'ホルネ')" || { echo "$name: no Linux window" >&2; return 1; }
  press "$w" "$@"
  wait_exit "$pid"

  local failed=0
  for f in JWC_TEMP.TXT horune.dat; do
    if ! cmp -s "$win/$f" "$lin/$f"; then
      echo "FAIL $name: $f differs" >&2
      diff <(iconv -f CP932 -t UTF-8 "$lin/$f") <(iconv -f CP932 -t UTF-8 "$win/$f") | head -20 >&2 || true
      failed=1
    fi
  done
  [ "$failed" -eq 0 ] && echo "ok   $name ($(head -c 2 "$win/JWC_TEMP.TXT"), $(wc -l <"$win/JWC_TEMP.TXT") lines)"
  return "$failed"
}

"$here/forty_points.sh" >"$work/forty.dlist"
"$here/large_drawing.sh" >"$work/large.txt"
# A case's files: under cases/, in the repository, or made above.
file_of() {
  case "$1" in
    -) echo "" ;;
    forty.dlist | large.txt) echo "$work/$1" ;;
    */*) echo "$root/$1" ;;
    *) echo "$here/cases/$1" ;;
  esac
}
failures=0
while read -r name host settings keys; do
  [ -z "$name" ] || [ "${name:0:1}" = "#" ] && continue
  [[ "$name" =~ ${HORUNE_WINDOW_CASES:-.} ]] || continue
  picture=""
  [ "$name" = demo ] && picture="${HORUNE_WINDOW_PICTURE:-}"
  # shellcheck disable=SC2086
  run_case "$name" "$(file_of "$host")" "$(file_of "$settings")" "$picture" $keys ||
    failures=$((failures + 1))
done <"$here/cases/cases.txt"
[ "$failures" -eq 0 ]
