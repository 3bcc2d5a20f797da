#!/usr/bin/env bash
# The real program on a virtual X display: a program folder with the built server, its help
# file, a fresh pager.mdb and modem settings for port 1, where the modem simulator serves as
# com1. Waits for the main window, presses Start with a real X click at its hot spot and waits
# until status.dat says the server is AVAILABLE; then presses Stop and Shutdown, confirms with
# Enter, and waits for the program to end by itself. Then starts the program three times more
# and ends each run with a signal (SIGTERM during a dial, SIGHUP, SIGINT): each must hang up,
# publish NOT AVAILABLE and exit with status 0, and the page being dialled must stay queued.
# Last, a page taken while another program holds pager.mdb: SIGTERM must name it on standard
# error and end the program with status 1. Every wait is bounded.
#
# Usage: xvfb_start_test.sh PAGER_SERVER MODEM_SIM MAKE_PAGER_DB HELP_FILE
set -euo pipefail
server=$1
simulator=$2
make_db=$3
help_file=$4

folder=$(mktemp -d "${TMPDIR:-/tmp}/pager-xvfb-XXXXXX")
pids=()
server_pid=""  # the program's run in progress; reaped runs are not killed
cleanup() {
  if [ -n "$server_pid" ]; then kill "$server_pid" 2> /dev/null || true; fi
  for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2> /dev/null || true; done
  rm -rf "$folder"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  for log in server.log simulator.log; do
    [ -s "$folder/$log" ] && { echo "--- $log" >&2; tail -n 40 "$folder/$log" >&2; }
  done
  exit 1
}

# Runs the command every 0.1 s until it succeeds, for at most $1 seconds.
poll() {
  local tries=$(($1 * 10))
  shift
  for ((i = 0; i < tries; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

is_available() { [ -f "$folder/status.dat" ] && grep -q '^"AVAILABLE"' "$folder/status.dat"; }

cp "$server" "$folder/pager-server"
cp "$help_file" "$folder/SERVER1.HLP"
"$make_db" "$folder/pager.mdb" > /dev/null
printf '"1","9600","ATZ","TONE","0","True",45,"","",#FALSE#,#FALSE#\r\n' > "$folder/modem.cfg"

"$simulator" --folder "$folder" --port 1 --pages "$folder/pages.log" --number 5550000=silent --verbose \
  > "$folder/simulator.log" 2>&1 &
pids+=($!)
poll 10 test -e "$folder/com1" || fail "the modem simulator did not link com1"

# Xvfb chooses a free display and writes its number to descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$folder/display" 2> /dev/null &
pids+=($!)
poll 10 test -s "$folder/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$folder/display")"

# Starts the program and waits for its main window. Job control gives it its own process group,
# so that it does not inherit the ignored SIGINT of a script's background job.
launch() {
  set -m
  QT_QPA_PLATFORM=xcb "$folder/pager-server" >> "$folder/server.log" 2>&1 &
  server_pid=$!
  set +m
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "Corvello '98 Enterprise Edition" | head -n 1) ||
    fail "the main window did not appear within 20 s"
  [ -n "$window" ] || fail "the main window did not appear"
}

# Hot spot centres in pixels: Start (480, 120, 975 x 855 twips) at (64, 36), Stop at (136, 36),
# Shutdown at (208, 36). A click that reaches the window before it takes input is repeated (a
# Start while running does nothing).
press_start() {
  for attempt in 1 2 3 4; do
    xdotool mousemove --window "$window" 64 36 click 1
    poll 5 is_available && break
  done
  is_available || fail "status.dat does not say AVAILABLE 20 s after pressing Start: $(cat "$folder/status.dat" 2> /dev/null)"
}

launch
press_start
grep -q "ATZ" "$folder/simulator.log" || fail "the server did not send the init string to com1"

is_stopped() { grep -q '^"NOT AVAILABLE"' "$folder/status.dat"; }
xdotool mousemove --window "$window" 136 36 click 1
poll 10 is_stopped || fail "status.dat does not say NOT AVAILABLE after pressing Stop"

xdotool mousemove --window "$window" 208 36 click 1
timeout 10 xdotool search --sync --onlyvisible --name "Shutting down" > /dev/null ||
  fail "no shut-down question after pressing Shutdown"
xdotool key Return
has_ended() { ! kill -0 "$server_pid" 2> /dev/null; }
poll 10 has_ended || fail "the program still runs 10 s after the shut-down was confirmed"
wait "$server_pid" || fail "the program ended with status $?"
server_pid=""

# A page the simulator never answers keeps the server dialling when the first signal comes.
queued() { sqlite3 "$folder/pager.mdb" "SELECT count(*) FROM Queue WHERE Unit = '4711' AND Status = 'N';"; }
sqlite3 "$folder/pager.mdb" "INSERT INTO Scheadule (DateTo, TimeTo, Unit, Message, Modem, Sender, Status)
  VALUES ('2000-01-01', '00:00', '4711', 'Still waiting', '5550000', 'Operator', 'N');"
for signal in TERM HUP INT; do
  launch
  press_start
  hang_ups=$(grep -c "ATH+++" "$folder/simulator.log" || true)
  if [ "$signal" = TERM ]; then
    poll 10 grep -q "ATDT5550000" "$folder/simulator.log" || fail "the server did not dial the queued page"
  fi
  kill -s "$signal" "$server_pid"
  poll 10 has_ended || fail "the program still runs 10 s after SIG$signal"
  status=0
  wait "$server_pid" || status=$?
  server_pid=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status on SIG$signal"
  is_stopped || fail "status.dat does not say NOT AVAILABLE after SIG$signal"
  poll 5 test "$(grep -c "ATH+++" "$folder/simulator.log")" -gt "$hang_ups" || fail "no hang-up on SIG$signal"
  [ "$(queued)" = 1 ] || fail "the page being dialled was not kept in Queue on SIG$signal"
done
# A page the terminal takes while another program holds pager.mdb cannot be marked sent: on
# SIGTERM the program tries for half a minute, then names the page on standard error and exits
# with status 1 (the program's own exit status, as the orderly end asked for it).
sqlite3 "$folder/pager.mdb" "DELETE FROM Queue; INSERT INTO Queue (Unit, Message, Modem, Status)
  VALUES ('4712', 'Locked out', '5551234', 'N');"
launch
press_start
mkfifo "$folder/lock"
sqlite3 "$folder/pager.mdb" < "$folder/lock" > /dev/null 2>&1 &
pids+=($!)
exec 5> "$folder/lock"
echo "BEGIN IMMEDIATE;" >&5
poll 40 grep -q "Locked out" "$folder/pages.log" || fail "the terminal did not take the page"
kill -s TERM "$server_pid"
signalled=$SECONDS
poll 60 has_ended || fail "the program still runs 60 s after SIGTERM under the lock"
echo "the orderly end under the lock took $((SECONDS - signalled)) s"
status=0
wait "$server_pid" || status=$?
server_pid=""
echo "ROLLBACK;" >&5
exec 5>&-
[ "$status" -eq 1 ] || fail "the program ended with status $status, not 1, leaving a page it could not mark"
grep -q "unit 4712 of paging company 5551234: Locked out" "$folder/server.log" ||
  fail "the page that may go out again is not named on standard error"

echo "PASS: Start made the server AVAILABLE; Stop and a confirmed Shutdown ended the program;"
echo "      SIGTERM, SIGHUP and SIGINT each hung up, published NOT AVAILABLE and exited with 0;"
echo "      a page that could not be marked sent was named and the exit status was 1"
