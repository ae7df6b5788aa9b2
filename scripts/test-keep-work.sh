#!/usr/bin/env bash
# The window keeps the user's work, tried as a user would under Xvfb with a
# real window manager:
#  1. after New and typing text, closing the window asks to save, and
#     cancelling leaves the window open;
#  2. after kill -9 eleven seconds after the last change, the next start
#     offers the work back, and restoring it brings back the typed text.
# Usage: test-keep-work.sh PELLMARK [SHOT_DIR]   (screenshots kept in SHOT_DIR)
set -euo pipefail

for tool in Xvfb openbox xdotool wmctrl; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing (scripts/install-deps.sh)"; exit 77; }
done
PROGRAM=$(readlink -f "$1")
SHOTS=${2:-}
WORK=$(mktemp -d)
XVFB_PID= WM_PID= APP_PID=
cleanup() {
  for pid in $APP_PID $WM_PID $XVFB_PID; do kill -9 "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; [ -n "$SHOTS" ] && import -window root "$SHOTS/keep-work-failure.png" 2>/dev/null; exit 1; }

# The program runs from a folder of its own, so its option.ini lands there,
# with its per-user files (recovery, recent files) in scratch folders too.
cp "$PROGRAM" "$WORK/pellmark"
export XDG_DATA_HOME="$WORK/data" XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
RECOVERY="$XDG_DATA_HOME/Tessik/recovery"
unset QT_QPA_PLATFORM

# A free display, chosen by Xvfb itself.
exec 3>"$WORK/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$WORK/display")"
openbox >/dev/null 2>&1 &
WM_PID=$!
sleep 1

window_count() { { xdotool search --onlyvisible --pid "$APP_PID" --name 'Pellmark' 2>/dev/null || true; } | wc -l; }

# The main window: the program's tallest window (the splash is 434 high).
main_window() {
  local id height best= tallest=0
  for id in $(xdotool search --onlyvisible --pid "$APP_PID" --name 'Pellmark' 2>/dev/null || true); do
    height=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | sed -n 's/^HEIGHT=//p')
    [ -n "$height" ] && [ "$height" -gt "$tallest" ] && { tallest=$height; best=$id; }
  done
  [ "$tallest" -ge 500 ] && echo "$best"
}

start_program() {
  "$WORK/pellmark" >/dev/null 2>&1 &
  APP_PID=$!
  MAIN=
  for _ in $(seq 150); do MAIN=$(main_window || true); [ -n "$MAIN" ] && break; sleep 0.2; done
  [ -n "$MAIN" ] || fail "no main window"
  sleep 1
}

# New with the dialog's defaults, then text typed into the input pane.
new_and_type() {
  xdotool windowactivate --sync "$MAIN" key ctrl+n
  sleep 1
  xdotool key Return
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$MAIN")"
  xdotool mousemove --window "$MAIN" 200 $(( HEIGHT - 50 )) click 1
  xdotool type --delay 50 "$1"
  sleep 1
}

# 1. Closing asks; Cancel keeps the window.
start_program
new_and_type "SALE"
[ "$(xdotool getwindowname "$MAIN")" = "*Pellmark" ] || fail "caption without the unsaved mark: $(xdotool getwindowname "$MAIN")"
before=$(window_count)
wmctrl -c '*Pellmark'
for _ in $(seq 50); do [ "$(window_count)" -gt "$before" ] && break; sleep 0.2; done
[ "$(window_count)" -gt "$before" ] || fail "closing asked nothing"
[ -n "$SHOTS" ] && import -window root "$SHOTS/keep-work-close-asks.png"
xdotool key Escape
sleep 1
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended after Cancel"
xdotool getwindowname "$MAIN" >/dev/null 2>&1 || fail "the window went after Cancel"
echo "ok: closing asks, Cancel keeps the window"

# 2. Killed eleven seconds after the last change: offered back at the next start.
xdotool type --delay 50 " NOW"
sleep 11
ls "$RECOVERY"/*.png >/dev/null 2>&1 || fail "no recovery file 11 s after the last change"
kill -9 "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
start_program
for _ in $(seq 50); do [ "$(window_count)" -ge 2 ] && break; sleep 0.2; done
[ "$(window_count)" -ge 2 ] || fail "the next start offered nothing"
[ -n "$SHOTS" ] && import -window root "$SHOTS/keep-work-offer.png"
xdotool key Return # Restore
sleep 2
[ "$(xdotool getwindowname "$MAIN")" = "*Pellmark" ] || fail "work not restored: $(xdotool getwindowname "$MAIN")"
[ -n "$SHOTS" ] && import -window root "$SHOTS/keep-work-restored.png"
echo "ok: the work is offered back and restored"

# Discarding on close ends the program and leaves no recovery file.
wmctrl -c '*Pellmark'
sleep 1
xdotool key alt+d
for _ in $(seq 50); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.2; done
kill -0 "$APP_PID" 2>/dev/null && fail "Discard did not close the window"
APP_PID=
if ls "$RECOVERY"/*.png >/dev/null 2>&1; then fail "a recovery file outlived a clean exit"; fi
echo "ok: a clean exit removes the recovery file"
