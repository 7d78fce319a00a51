#!/usr/bin/env bash
# Builds everything and runs every test.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${TQ_TEST_BUILD:-$here/build}"
"$here/scripts/setup.sh" "$build" "$@"
cd "$build"
ctest --output-on-failure -j2
