#!/usr/bin/env bash
# Demo mode: starts a simulated radio holding a few channels on a pseudo-terminal and the
# desktop program connected to it, so the program can be tried without a radio: read,
# edit, save and write as with a real one. The port is used for this run only; the
# configured port in SysInfo.Ini stays as it was.
# usage: scripts/demo.sh BIN_DIR [program arguments...]
set -euo pipefail
bin="${1:?usage: scripts/demo.sh BIN_DIR [program arguments...]}"
shift

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<MSG
No display found: the demo shows the desktop program, which needs one.
On this machine, use the command-line tool with the simulated radio instead:
  $bin/tq6105-sim --baud 0 --link /tmp/tq6105-radio &
  $bin/tq6105-cli read --port /tmp/tq6105-radio radio.dat
  $bin/tq6105-cli channels radio.dat
See $bin/tq6105-cli --help for every command.
MSG
  exit 1
fi
for tool in tq6105 tq6105-cli tq6105-sim; do
  if [ ! -x "$bin/$tool" ]; then
    echo "demo: $bin/$tool is missing (the simulated radio needs a Unix system)." >&2
    exit 1
  fi
done

work="$(mktemp -d "${TMPDIR:-/tmp}/tq6105-demo.XXXXXX")"
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

# The radio's memory: a UHF radio with a few channels set up the way a small site might.
image="$work/demo-radio.dat"
cli="$bin/tq6105-cli"
"$cli" new --band "450 - 470MHz" "$image" >/dev/null
"$cli" set-channel "$image" 1 --rx 462.5625 --tx 462.5625 --decode 67.0 --encode 67.0 >/dev/null
"$cli" set-channel "$image" 2 --rx 462.5875 --tx 467.5875 --decode 100.0 --encode 100.0 >/dev/null
"$cli" set-channel "$image" 3 --rx 462.6125 --tx 462.6125 --decode D023N --encode D023N --power Low >/dev/null
"$cli" set-channel "$image" 4 --rx 464.5000 --tx 464.5000 --bandwidth Narrow --scan-add yes >/dev/null
"$cli" set-channel "$image" 5 --rx 469.5000 >/dev/null

# The simulated radio, on a pseudo-terminal reached through a link in the work folder.
port="$work/radio"
"$bin/tq6105-sim" --image "$image" --link "$port" >"$work/sim.log" 2>&1 &
sim_pid=$!
for _ in $(seq 1 50); do
  [ -e "$port" ] && break
  if ! kill -0 "$sim_pid" 2>/dev/null; then
    echo "demo: the simulated radio did not start:" >&2
    cat "$work/sim.log" >&2
    exit 1
  fi
  sleep 0.1
done
if [ ! -e "$port" ]; then
  echo "demo: the simulated radio did not open its terminal." >&2
  exit 1
fi

echo "Demo: a simulated TQ6105 radio is on $port. Use Program > Read From Radio to read it." >&2
"$bin/tq6105" --port "$port" "$@"
