#!/usr/bin/env bash
# Builds the program and starts it. "./start.sh --demo" starts it against a simulated
# radio; any other arguments go to the program.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/scripts/setup.sh" "$here/build"
bin="$here/build/bin"
if [ -x "$bin/tq6105" ]; then
  if [ -x "$here/scripts/demo.sh" ] && [ "${1:-}" = "--demo" ]; then
    shift
    exec "$here/scripts/demo.sh" "$bin" "$@"
  fi
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found: the desktop program needs one. Use $bin/tq6105-cli on this machine." >&2
    "$bin/tq6105-cli" --help
    exit 1
  fi
  exec "$bin/tq6105" "$@"
fi
exec "$bin/tq6105-cli" --help
