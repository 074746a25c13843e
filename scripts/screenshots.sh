#!/usr/bin/env bash
# Starts the program under Xvfb in a fresh working folder, opens every screen
# and writes one picture per screen into docs/screenshots/.
set -euo pipefail
build_dir=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$root/docs/screenshots"
# The demonstration folder gives the employee screens something to show.
"$root/$build_dir/src/quorvan" demo "$work/demo" >/dev/null
xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$root/$build_dir/src/quorvan-screenshots" "$root/docs/screenshots" "$work/demo"
ls "$root/docs/screenshots"
