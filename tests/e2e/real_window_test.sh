#!/usr/bin/env bash
# Starts the real viewer under its own Xvfb, checks the window's size and a few pixels of a
# screenshot, then clicks "+20" and "RUN" where they stand and checks that the readouts and
# the chart changed.
# usage: real_window_test.sh TARVELIN_BINARY LOG WORKDIR
set -euo pipefail
binary=$1 log=$2 work=$3
mkdir -p "$work"
cd "$work"

display=""
for n in $(seq 91 140); do
  if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display"; exit 1; }

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >xvfb.log 2>&1 &
xvfb=$!
app=""
cleanup() { [ -n "$app" ] && kill "$app" 2>/dev/null; kill "$xvfb" 2>/dev/null; wait 2>/dev/null || true; }
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

"$binary" "$log" >app.log 2>&1 &
app=$!

wid=""
for _ in $(seq 100); do
  wid=$(xdotool search --name "Tarvelin 2.25 Beta 5" 2>/dev/null | head -1 || true)
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || { echo "FAIL: the window did not appear"; cat app.log; exit 1; }

fail=0
check() { if [ "$2" != "$3" ]; then echo "FAIL: $1: got '$2', expected '$3'"; fail=1; else echo "ok: $1"; fi; }

eval "$(xdotool getwindowgeometry --shell "$wid")"
check "window width" "$WIDTH" 800
check "window height" "$HEIGHT" 600

shot() { import -window root -crop 800x600+0+0 +repage "$1"; }
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
differing() { compare -metric AE -crop "$2" "$1" "$3" null: 2>&1 || true; }

# On a loaded machine the first frame can take a while: wait for the cursor line.
for _ in $(seq 40); do
  shot start.png
  [ "$(pixel start.png 400 350)" = "255,255,255" ] && break
  sleep 0.25
done
check "cursor line pixel (400,350) is white" "$(pixel start.png 400 350)" "255,255,255"
check "major grid row 1 at x 300 is white" "$(pixel start.png 300 1)" "255,255,255"
check "chart background (250,230) is black" "$(pixel start.png 250 230)" "0,0,0"
check "panel colour at (600,440)" "$(pixel start.png 600 440)" "10,36,106"

# "+20" at panel (320, 96), 40 x 25; the panel stands at y 424.
xdotool mousemove 340 532 click 1
for _ in $(seq 40); do
  sleep 0.25
  shot step.png
  chart_changed=$(differing start.png 600x400+200+0 step.png)
  readouts_changed=$(differing start.png 780x50+8+448 step.png)
  [ "${chart_changed%%.*}" -gt 100 ] && [ "${readouts_changed%%.*}" -gt 10 ] && break
done
echo "after +20: $chart_changed chart pixels and $readouts_changed readout pixels changed"
[ "${chart_changed%%.*}" -gt 100 ] || { echo "FAIL: the chart did not change after +20"; fail=1; }
[ "${readouts_changed%%.*}" -gt 10 ] || { echo "FAIL: the readouts did not change after +20"; fail=1; }

# "RUN" at panel (464, 96).
xdotool mousemove 484 532 click 1
for _ in $(seq 40); do
  sleep 0.25
  shot run.png
  played=$(differing step.png 600x400+200+0 run.png)
  [ "${played%%.*}" -gt 100 ] && break
done
echo "after RUN: $played chart pixels changed"
[ "${played%%.*}" -gt 100 ] || { echo "FAIL: playback did not move the chart"; fail=1; }

# Alt+Q presses Quit: the program ends with exit code 0.
xdotool key --window "$wid" alt+q
code=""
for _ in $(seq 100); do
  if ! kill -0 "$app" 2>/dev/null; then wait "$app" && code=0 || code=$?; break; fi
  sleep 0.1
done
check "Alt+Q ends the program with exit code 0" "$code" 0
app=""
exit $fail
