#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real movrand on a demo installation under Xvfb, with a private D-Bus session and
# the accessibility bus, and reads its main window through AT-SPI.
# Usage: atspi-main-window.sh MOVRAND MAKE_DEMO EXPECTED_TITLE
# Exit code 77 (skipped) only when the accessibility bus cannot be started here.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" = "--inside" ]; then
  # Inside the private X server and D-Bus session.
  movrand=$2 work=$3 title=$4
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  launcher=$!
  bus_up() {
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
      >/dev/null 2>&1
  }
  for _ in $(seq 1 100); do bus_up && break; sleep 0.1; done
  if ! bus_up; then
    echo "SKIP: the accessibility bus did not start"
    kill "$launcher" 2>/dev/null
    exit 77
  fi
  WINEPREFIX="$work/prefix" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 \
    "$movrand" >"$work/movrand.log" 2>&1 &
  program=$!
  /usr/bin/python3 "$here/atspi_main_window.py" "$title"
  result=$?
  kill "$program" 2>/dev/null
  wait "$program" 2>/dev/null
  kill "$launcher" 2>/dev/null
  if [ $result -ne 0 ] && [ $result -ne 77 ]; then
    echo "--- movrand output"
    cat "$work/movrand.log"
  fi
  exit $result
fi

movrand=$1 make_demo=$2 title=$3
for tool in xvfb-run dbus-run-session dbus-send /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$make_demo" "$work/prefix" >/dev/null || { echo "FAIL: make-demo"; exit 1; }
xvfb-run -a dbus-run-session -- "$here/atspi-main-window.sh" --inside "$movrand" "$work" "$title"
