#!/usr/bin/env bash
# Makes the Wine prefix in the build tree, once; exits 77 (skipped) with
# the reason when Wine cannot run here.
set -uo pipefail
prefix=$1
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
if ! command -v wine >/dev/null; then
  echo "SKIPPED: Wine is not installed (Debian packages wine and wine32:i386)"
  exit 77
fi
if ! out=$(timeout 60 wine --version 2>&1); then
  echo "SKIPPED: Wine cannot start its 32-bit loader ($(echo "$out" | tail -1)); this kernel runs no 32-bit programs"
  exit 77
fi
[ -f "$prefix/system.reg" ] && exit 0
timeout 300 wineboot --init && timeout 120 wineserver -w
