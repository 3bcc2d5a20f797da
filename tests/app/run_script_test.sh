#!/usr/bin/env bash
# scripts/run on a machine without a display, ended by Ctrl-C as a terminal sends it: SIGINT to
# the script's whole process group. The virtual display must outlive the server's orderly end
# (no "X11 connection broke"), status.dat must say NOT AVAILABLE, and the script must end with
# the server's own exit status (0), not a status of its own.
#
# The script runs in a scratch copy of the source tree whose dependency and build steps are
# stubs and whose build folder links the programs built here, so the test leaves the build
# alone. Every wait is bounded.
#
# Usage: run_script_test.sh SCRIPTS_RUN PAGER_SERVER MODEM_SIM MAKE_PAGER_DB HELP_FILE
set -euo pipefail
run_script=$1
server=$2
simulator=$3
make_db=$4
help_file=$5

scratch=$(mktemp -d "${TMPDIR:-/tmp}/pager-run-XXXXXX")
tree=$scratch/tree
folder=$scratch/program
run_pid=""
cleanup() {
  if [ -n "$run_pid" ]; then
    kill -TERM -- "-$run_pid" 2> /dev/null || true
    wait "$run_pid" 2> /dev/null || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -s "$scratch/run.log" ] && { echo "--- scripts/run's output" >&2; tail -n 40 "$scratch/run.log" >&2; }
  exit 1
}

poll() {  # poll SECONDS COMMAND...: runs the command every 0.1 s until it succeeds
  local tries=$(($1 * 10))
  shift
  for ((i = 0; i < tries; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

mkdir -p "$tree/scripts" "$tree/docs" "$tree/build/release/src/app" "$tree/build/release/tools/modem-sim" \
  "$tree/build/release/tools/make-pager-db" "$scratch/bin" "$folder"
cp "$run_script" "$tree/scripts/run"
printf '#!/bin/sh\nexit 0\n' > "$tree/scripts/install-deps"
printf '#!/bin/sh\nexit 0\n' > "$scratch/bin/cmake"
chmod +x "$tree/scripts/install-deps" "$scratch/bin/cmake"
cp "$help_file" "$tree/docs/SERVER1.HLP"
ln -s "$server" "$tree/build/release/src/app/pager-server"
ln -s "$simulator" "$tree/build/release/tools/modem-sim/modem-sim"
ln -s "$make_db" "$tree/build/release/tools/make-pager-db/make-pager-db"
# What a run that died left behind: the web side still reads AVAILABLE.
printf '"AVAILABLE"\r\n' > "$folder/status.dat"

# Job control gives the script a process group of its own, as a shell gives a foreground job.
set -m
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM PATH="$scratch/bin:$PATH" \
  "$tree/scripts/run" "$folder" > "$scratch/run.log" 2>&1 &
run_pid=$!
set +m

# The server is up once it holds the simulator's line open (it opens the port when it loads).
server_holds_port() {
  local line proc
  line=$(readlink "$folder/com1" 2> /dev/null) || return 1
  for proc in /proc/[0-9]*; do
    [ "$(readlink "$proc/exe" 2> /dev/null)" = "$folder/pager-server" ] || continue
    ls -l "$proc/fd" 2> /dev/null | grep -q -- "-> $line\$" && return 0
  done
  return 1
}
poll 30 server_holds_port || fail "the server did not open its port within 30 s"

kill -INT -- "-$run_pid"
has_ended() { ! kill -0 "$run_pid" 2> /dev/null; }
poll 20 has_ended || fail "scripts/run still runs 20 s after Ctrl-C"
status=0
wait "$run_pid" || status=$?
run_pid=""

! grep -qi "X11 connection" "$scratch/run.log" || fail "the virtual display died with the Ctrl-C"
grep -q '^"NOT AVAILABLE"' "$folder/status.dat" ||
  fail "status.dat says $(cat "$folder/status.dat") after Ctrl-C, not NOT AVAILABLE"
[ "$status" -eq 0 ] || fail "scripts/run ended with status $status, not the server's 0"
echo "PASS: Ctrl-C ended the server in order under scripts/run's virtual display, with its status 0"
