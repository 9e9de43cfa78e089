#!/usr/bin/env bash
# The recovery journal under the real window, at a person's pace, by hand:
#
#   tests/recovery_stress.sh [ROUNDS]          (default 20)
#
# Each round starts the program, answers Yes to the restore question the last
# round left, types edits into the grid (one new value per contact) and kills
# the program (kill -9) at a random moment: while typing, or, every fourth
# round, while Save As writes its file. At the end the log is restored once
# more and saved with Save As. Passes when every edit answered (Return
# pressed) at least two seconds before its round's kill is in that file, and
# every file Save As left is a whole log.
#
# Needs Xvfb and xdotool; uses DISPLAY when set, otherwise starts Xvfb on
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

# A log with a contact for every edit the rounds can make.
{
  printf 'stress log<EOH>\r\n'
  for i in $(seq 1 400); do
    printf '<CALL:6>ZX%04d<QSO_DATE:8>20200101<TIME_ON:4>1200<BAND:3>20M<MODE:3>SSB<EOR>\r\n' "$i"
  done
} > "$WORK/log.adi"
BASE=$WORK/log.adi   # what a round opens when no journal is left
: > "$WORK/answered"  # value, second it was answered
: > "$WORK/kills"     # round, second of the kill
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
  sleep 1.5
  if journal_left; then
    xdotool key Return  # Yes, the default button of the question
    sleep 1.5
  fi
  # The main window, by its caption once a log is open.
  WINDOW=$(timeout 10 xdotool search --sync --onlyvisible --name ' File: ' 2>/dev/null | head -1)
  xdotool windowfocus --sync "$WINDOW" 2>/dev/null
}

# Types one new value into the CALL cell of contact EDITS+1.
edit() {
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

failed=0
for round in $(seq 1 "$ROUNDS"); do
  start
  lifetime=$(awk -v r=$RANDOM 'BEGIN { printf "%.2f", 2 + (r % 500) / 100 }')
  if [ $((round % 4)) = 0 ]; then
    ( edit "$round"; save_as "$WORK/saved-$round.adi"; sleep 30 ) &
  else
    ( for _ in 1 2 3 4 5 6 7 8; do edit "$round"; done; sleep 30 ) &
  fi
  typist=$!
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
  if ! "$CLI" records "$saved" >/dev/null 2>&1; then
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
    if ! grep -q "$value" "$WORK/final.adi" 2>/dev/null; then
      echo "FAIL: $value (answered $(awk -v a="$answered" -v k="$killed" 'BEGIN { printf "%.1f", k - a }')s before the kill) is lost"
      lost=$((lost + 1))
    fi
  fi
done < "$WORK/answered"
[ "$lost" = 0 ] || failed=1
if compgen -G "$JOURNALS/*.journal" >/dev/null; then
  echo "journals left: $(ls "$JOURNALS")"
fi
echo "$ROUNDS rounds, $(wc -l < "$WORK/answered") edits answered, $lost lost; folder $WORK"
[ "$failed" = 0 ] && echo PASS || echo FAIL
exit "$failed"
