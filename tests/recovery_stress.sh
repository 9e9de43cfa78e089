#!/usr/bin/env bash
# The recovery journal under the real window, at a person's pace, by hand:
#
#   tests/recovery_stress.sh [ROUNDS]          (default 20)
#
# Each round starts the program, answers Yes to the restore question the last
# round left, types edits into the grid (one new value per contact) and kills
# the program (kill -9) at a random moment: while typing; every fourth
# round, while Save As writes its file; and two rounds later, while Fix All
# Like This mends every contact of the log (MODE USB or LSB, a moment's work
# on 40,000 contacts), within 0.8 s of the click, save the last such round,
# which lives on for 4 s. At the end the log is restored once more and saved
# with Save As. Passes when every edit answered (Return pressed) at least two
# seconds before its round's kill is in that file, a Fix All clicked at
# least three seconds before its kill left no contact to mend, and every
# file Save As left is a whole log.
#
# The log is opened in Current ADIF (it is too large for Classic). Needs
# Xvfb and xdotool; uses DISPLAY when set, otherwise starts Xvfb on
# :${STRESS_DISPLAY:-99}. PROGRAM and CLI name the two programs (the build's by
# default). Settings, journals and logs go to a temporary folder, printed at
# the end; KEEP=1 keeps it.
set -u
cd "$(dirname "$0")/.."
ROUNDS=${1:-20}
PROGRAM=${PROGRAM:-build/src/app/vaziduvu}
CLI=${CLI:-build/src/cli/vaziduvu-cli}
WORK=$(mktemp -d /tmp/vaziduvu-stress.XXXXXX)
export XDG_CONFIG_HOME=$WORK/config XDG_STATE_HOME=$WORK/state VAZIDUVU_INSTANCE=stress-$$
JOURNALS=$XDG_STATE_HOME/vaziduvu/recovery
XVFB=
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:${STRESS_DISPLAY:-99}
  Xvfb "$DISPLAY" -screen 0 1600x1000x24 >/dev/null 2>&1 &
  XVFB=$!
  sleep 1
fi
PID=
finish() {
  [ -n "$PID" ] && kill -9 "$PID" 2>/dev/null
  [ -n "$XVFB" ] && kill "$XVFB" 2>/dev/null
  [ "${KEEP:-0}" = 1 ] || rm -rf "$WORK"
}
trap finish EXIT

# A log with a contact for every edit the rounds can make, each with a
# sideband as its MODE: Fix All has every contact to mend.
awk 'BEGIN {
  printf "stress log<EOH>\r\n"
  for (i = 1; i <= 40000; i++)
    printf "<CALL:7>ZX%05d<QSO_DATE:8>20200101<TIME_ON:4>1200<BAND:3>20M<MODE:3>%s<EOR>\r\n", i, (i % 2 ? "USB" : "LSB")
}' > "$WORK/log.adi"
mkdir -p "$XDG_CONFIG_HOME/vaziduvu"
printf '[options]\ncurrentAdif=true\n' > "$XDG_CONFIG_HOME/vaziduvu/vaziduvu.conf"
BASE=$WORK/log.adi   # what a round opens when no journal is left
: > "$WORK/answered"  # value, second it was answered
: > "$WORK/kills"     # round, second of the kill
: > "$WORK/fixes"     # round, second Fix All was clicked
EDITS=0

journal_left() { compgen -G "$JOURNALS/*.journal" >/dev/null; }
now() { date +%s.%N; }

# Starts the program and waits for its window; restores a journal left.
start() {
  if journal_left; then
    "$PROGRAM" >/dev/null 2>&1 &
    PID=$!
    disown "$PID"
  else
    "$PROGRAM" "$BASE" >/dev/null 2>&1 &
    PID=$!
    disown "$PID"
  fi
  xdotool search --sync --onlyvisible --pid "$PID" >/dev/null 2>&1
  # The main window, by its caption once a log is open; until then a journal
  # left is offered, and Return answers Yes, the question's default button.
  WINDOW=
  for _ in $(seq 1 40); do
    sleep 0.5
    # This copy's window only: one of a killed copy may linger a moment.
    WINDOW=$(xdotool search --all --onlyvisible --pid "$PID" --name ' File: ' 2>/dev/null | head -1)
    [ -n "$WINDOW" ] && break
    if journal_left; then
      # The newest window of this copy is the question: it takes the key.
      box=$(xdotool search --onlyvisible --pid "$PID" 2>/dev/null | tail -1)
      [ -n "$box" ] && xdotool windowfocus --sync "$box" 2>/dev/null
      xdotool key Return
    fi
  done
  sleep 0.5
  xdotool windowfocus --sync "$WINDOW" 2>/dev/null
}

# Types one new value into the CALL cell of contact EDITS+1.
edit() {
  [ -n "$WINDOW" ] || return  # no window came: nothing is typed, nothing answered
  EDITS=$((EDITS + 1))
  local value=R${1}E${EDITS}
  # Ctrl+Home may leave no cell current at first: Down and Up make row 1
  # current either way.
  xdotool key ctrl+Home
  sleep 0.2
  xdotool key --delay 30 Down Up
  [ "$EDITS" -gt 1 ] && xdotool key --repeat $((EDITS - 1)) --delay 15 Down
  xdotool type --delay 150 "$value"
  xdotool key Return
  echo "$value $(now)" >> "$WORK/answered"
  sleep 0.4
}

# Save As to a new file; the information box before the save takes Return.
save_as() {
  xdotool windowfocus --sync "$WINDOW" 2>/dev/null
  xdotool key ctrl+shift+s
  sleep 1
  xdotool type --delay 40 "$1"
  xdotool key Return
  sleep 0.6
  local box
  box=$(xdotool search --onlyvisible --name 'Morv Edit' 2>/dev/null | head -1)
  if [ -n "$box" ]; then
    xdotool windowfocus --sync "$box" 2>/dev/null
    xdotool key Return
  fi
}

# Check Log (F7), the first problem chosen and Fix All Like This clicked.
# The panel sits at the bottom of the window: its places are counted from
# the window's bottom right corner.
fix_all() {
  xdotool windowfocus --sync "$WINDOW" 2>/dev/null
  xdotool key F7
  sleep 2
  local WIDTH=0 HEIGHT=0
  eval "$(xdotool getwindowgeometry --shell "$WINDOW" 2>/dev/null)"
  [ "$HEIGHT" -gt 0 ] || return
  xdotool mousemove --window "$WINDOW" 22 $((HEIGHT - 114)) click 1
  sleep 0.5
  xdotool mousemove --window "$WINDOW" $((WIDTH - 52)) $((HEIGHT - 157)) click 1
  echo "$1 $(now)" >> "$WORK/fixes"
}

failed=0
for round in $(seq 1 "$ROUNDS"); do
  start
  [ -n "$WINDOW" ] || echo "round $round: no window within 20 s, nothing typed"
  lifetime=$(awk -v r=$RANDOM 'BEGIN { printf "%.2f", 2 + (r % 500) / 100 }')
  if [ $((round % 4)) = 2 ]; then
    ( edit "$round"; fix_all "$round"; sleep 30 ) &
  elif [ $((round % 4)) = 0 ]; then
    ( edit "$round"; save_as "$WORK/saved-$round.adi"; sleep 30 ) &
  else
    ( for _ in 1 2 3 4 5 6 7 8; do edit "$round"; done; sleep 30 ) &
  fi
  typist=$!
  if [ $((round % 4)) = 2 ]; then
    # Killed while the fix is made or written, or, the last time, after it.
    for _ in $(seq 1 150); do
      awk -v r="$round" '$1 == r { found = 1 } END { exit !found }' "$WORK/fixes" && break
      sleep 0.1
    done
    lifetime=$(awk -v r=$RANDOM 'BEGIN { printf "%.2f", (r % 80) / 100 }')
    [ $((round + 4)) -gt "$ROUNDS" ] && lifetime=4
  fi
  sleep "$lifetime"
  kill -9 "$PID" 2>/dev/null
  echo "$round $(now)" >> "$WORK/kills"
  kill "$typist" 2>/dev/null
  wait "$typist" 2>/dev/null
  PID=
  EDITS=$(wc -l < "$WORK/answered")
  # A save that finished took the journal with it: the next round opens it.
  if ! journal_left && [ -f "$WORK/saved-$round.adi" ]; then
    BASE=$WORK/saved-$round.adi
  fi
  echo "round $round: killed after ${lifetime}s, $EDITS edits answered so far"
done

start
save_as "$WORK/final.adi"
sleep 2
kill "$PID" 2>/dev/null
PID=

for saved in "$WORK"/saved-*.adi "$WORK/final.adi"; do
  [ -f "$saved" ] || continue
  if ! "$CLI" --current-adif records "$saved" >/dev/null 2>&1; then
    echo "FAIL: $saved is not a whole log"
    failed=1
  fi
done
[ -f "$WORK/final.adi" ] || { echo "FAIL: the last Save As wrote nothing"; failed=1; }
lost=0
while read -r value answered; do
  round=${value#R}
  round=${round%%E*}
  killed=$(awk -v r="$round" '$1 == r { print $2 }' "$WORK/kills")
  if awk -v a="$answered" -v k="${killed:-1e12}" 'BEGIN { exit !(k - a >= 2) }'; then
    if ! grep -q ">$value<" "$WORK/final.adi" 2>/dev/null; then
      echo "FAIL: $value (answered $(awk -v a="$answered" -v k="$killed" 'BEGIN { printf "%.1f", k - a }')s before the kill) is lost"
      lost=$((lost + 1))
    fi
  fi
done < "$WORK/answered"
[ "$lost" = 0 ] || failed=1
while read -r round clicked; do
  killed=$(awk -v r="$round" '$1 == r { print $2 }' "$WORK/kills")
  if awk -v a="$clicked" -v k="${killed:-0}" 'BEGIN { exit !(k - a >= 3) }' \
    && grep -qE '<MODE:3>(USB|LSB)' "$WORK/final.adi" 2>/dev/null; then
    echo "FAIL: the Fix All of round $round (clicked $(awk -v a="$clicked" -v k="$killed" 'BEGIN { printf "%.1f", k - a }')s before the kill) is lost"
    failed=1
  fi
done < "$WORK/fixes"
if compgen -G "$JOURNALS/*.journal" >/dev/null; then
  echo "journals left: $(ls "$JOURNALS")"
fi
echo "$ROUNDS rounds, $(wc -l < "$WORK/answered") edits answered, $lost lost; folder $WORK"
[ "$failed" = 0 ] && echo PASS || echo FAIL
exit "$failed"
