# Sourced by the Windows window tests: a bare X server of their own, Wine's
# server of horune's prefix, and the helpers that drive a window as a
# person would. Expects root (the repository) and work (a scratch folder);
# screen, when set, is the X screen's size ("1920x1080x24").

xvfb_pid=""
end_session() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  "$root/scripts/wine" wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap end_session EXIT

# A display of our own, numbered by the server.
exec 9<> "$work/display"
Xvfb -displayfd 9 -screen 0 "${screen:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$work/display")"
# A Wine session of our own on this display: a server left running by an
# earlier program keeps that program's desktop, which may have no display
# at all, and a window made there shows nowhere.
"$root/scripts/wine" wineserver -k 2>/dev/null || true
"$root/scripts/wine" wineserver -w 2>/dev/null || true
"$root/scripts/wine" wineserver -p 2>/dev/null || true

# The cases' own text files are UTF-8 for reading; they go in as the host
# writes them, Shift-JIS with CR LF. Other files are taken as they are.
host_text() {
  case "$1" in
    "$here"/* | "$work"/*) sed 's/$/\r/' "$1" | iconv -f UTF-8 -t CP932 ;;
    *) cat "$1" ;;
  esac
}

# The shown window with the name; a loaded machine may take its time.
window_of() {
  local name="$1"
  for _ in $(seq 900); do
    local w
    w="$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -1 || true)"
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}

# Presses keys in the window: "tab", "alt+y", "close", "type:15000" ...
press() {
  local w="$1"; shift
  xdotool windowfocus --sync "$w" 2>/dev/null || true
  sleep 0.5
  for k in "$@"; do
    case "$k" in
      close) "$closer" "$w" ;;
      type:*) xdotool type --delay 60 "${k#type:}" ;;
      *) xdotool key --clearmodifiers "$k" ;;
    esac
    sleep 0.4
  done
}

wait_exit() {
  local pid="$1"
  for _ in $(seq 200); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null || true; return 0; }
    sleep 0.1
  done
  echo "the program did not end" >&2
  kill "$pid" 2>/dev/null || true
  return 1
}

# The window's picture as PNG, or a part of it: photo window file [x y w h].
photo() {
  local w="$1" file="$2"
  shift 2
  if [ $# -eq 4 ]; then
    xwd -silent -id "$w" | xwdtopnm 2>/dev/null | pnmcut "$@" | pnmtopng >"$file"
  else
    xwd -silent -id "$w" | xwdtopnm 2>/dev/null | pnmtopng >"$file"
  fi
}
