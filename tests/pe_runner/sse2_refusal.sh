#!/usr/bin/env bash
# The DLL's runtime entry refuses a processor without SSE2: loaded on an
# emulated Pentium II the load fails and the host is never called; on a
# processor with SSE2 it loads and answers its version.
set -uo pipefail
hostsim=$1
dll=$2
if ! command -v qemu-i386 >/dev/null; then
  echo "SKIPPED: qemu-i386 is not installed (Debian package qemu-user)"
  exit 77
fi
old=$(qemu-i386 -cpu pentium2 "$hostsim" --module "$dll" --info --trace 2>&1)
status=$?
if [ $status -ne 1 ] || ! grep -q "refused the load" <<<"$old" || grep -q "trace: InitLib" <<<"$old"; then
  echo "on a Pentium II: expected a refused load and no host call, got status $status:"
  echo "$old"
  exit 1
fi
new=$(qemu-i386 -cpu Conroe "$hostsim" --module "$dll" --info 2>&1) || {
  echo "on a Core 2 (Conroe) the load failed: $new"
  exit 1
}
grep -q "GetModuleVersion  20050206" <<<"$new" || { echo "$new"; exit 1; }
echo "refused without SSE2, loaded with it"
