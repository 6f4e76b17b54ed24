# Sourced by the package checks, after common.sh: the program on a screen of a given size at
# a display scale, as a user meets it. Needs Xvfb, xdotool and x11-utils.

# start_x <width>x<height>: an X server of that size on a free display, which keeps the
# resources set with xrdb (-noreset) after their client has gone; sets DISPLAY.
start_x() {
  local display=90
  while [ -e /tmp/.X11-unix/X$display ] || [ -e /tmp/.X$display-lock ]; do display=$((display + 1)); done
  Xvfb :$display -screen 0 "$1x24" -noreset -nolisten tcp >/dev/null 2>&1 &
  x_server=$!
  export DISPLAY=:$display
  retry 30 xdpyinfo >/dev/null
}
stop_x() { kill "$x_server" 2>/dev/null; wait "$x_server" 2>/dev/null; true; }

# opens_at <scale> <command...>: starts the program; its window must lie on the screen, drawn
# at that scale: 819 pixels wide at 1, as tall as the form's 553 pixels with a tool bar and a
# status bar; a click where "Générer !" is drawn must open the error box, the form being empty.
# Stops the program.
opens_at() {
  local scale=$1 window status=0 WIDTH HEIGHT X Y
  shift
  "$@" >"$scratch/program.log" 2>&1 &
  local program=$!
  if window=$(retry 90 visible_window '^Tallowin$'); then
    eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    local screen width lowest highest
    screen=$(xdpyinfo | sed -n 's/^ *dimensions: *\([0-9]*x[0-9]*\) pixels.*/\1/p')
    read -r width lowest highest < <(awk -v s="$scale" 'BEGIN { printf "%d %d %d", 819 * s + 0.5, 583 * s, 640 * s + 1 }')
    echo "screen $screen, window ${WIDTH}x$HEIGHT at $X,$Y, expected ${width}x($lowest to $highest) (scale $scale)"
    [ "$WIDTH" -eq "$width" ] && [ "$HEIGHT" -ge "$lowest" ] && [ "$HEIGHT" -le "$highest" ] || status=1
    [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le "${screen%x*}" ] && [ $((Y + HEIGHT)) -le "${screen#*x}" ] ||
      { echo "the window is not within the screen"; status=1; }
    # "Générer !" spans the window's width, its middle 57 pixels above the window's bottom at scale 1.
    retry 10 xdotool mousemove --window "$window" "$(awk -v s="$scale" 'BEGIN { print int(400 * s) }')" \
      "$(awk -v s="$scale" -v h="$HEIGHT" 'BEGIN { print int(h - 57 * s) }')" click 1 || status=1
    retry 30 visible_window '^Erreur$' >/dev/null || { echo "no error box after a click on Générer !"; status=1; }
  else
    echo "no window named Tallowin"; cat "$scratch/program.log"; status=1
  fi
  kill "$program" 2>/dev/null; wait "$program" 2>/dev/null
  return $status
}
