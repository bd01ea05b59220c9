#!/usr/bin/env python3
"""Runs the real vantrel.dll and compares with the native hostsim.

The DLL runs either in Orbiter.exe under Wine (--wine), or in the stand-in
host built as a 32-bit Linux program with its own PE loader, under
qemu-i386 (--qemu), for kernels that run no 32-bit programs themselves.

For every scenario: the same rows, the same status lines to the byte, and
the same forces, bit for bit where a vessel's bank and pitch are zero and
within 2 units in the last place otherwise (the two platforms' sine and
cosine may differ). With --trace-check: the trace starts with InitLib at
load and ends with opcDLLExit at unload.

Exits 77 (skipped) when the runner is missing or cannot run here, and
says why.
"""
import argparse
import math
import os
import subprocess
import sys

SKIP = 77


def wine_environment(prefix):
    env = dict(os.environ)
    env.update(WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=",
               DISPLAY="")
    return env


def wine_usable(env):
    """None when Wine runs 32-bit programs here, else the reason it cannot."""
    try:
        probe = subprocess.run(["wine", "--version"], env=env, capture_output=True, text=True,
                               timeout=60)
    except FileNotFoundError:
        return "Wine is not installed (Debian packages wine and wine32:i386)"
    except subprocess.TimeoutExpired:
        return "wine --version did not answer within 60 s"
    if probe.returncode != 0:
        detail = (probe.stderr or probe.stdout).strip().splitlines()
        return ("Wine cannot start its 32-bit loader (" + (detail[-1] if detail else "no output") +
                "); this kernel runs no 32-bit programs")
    return None


def qemu_usable():
    try:
        probe = subprocess.run(["qemu-i386", "--version"], capture_output=True, text=True,
                               timeout=60)
    except FileNotFoundError:
        return "qemu-i386 is not installed (Debian package qemu-user)"
    return None if probe.returncode == 0 else "qemu-i386 does not start"


def run(command, env=None):
    result = subprocess.run(command, env=env, capture_output=True, text=True, timeout=600)
    return result.returncode, result.stdout.replace("\r\n", "\n"), result.stderr.replace("\r\n", "\n")


def ulp_distance(a, b):
    if a == b:
        return 0
    if math.isnan(a) or math.isnan(b) or math.isinf(a) or math.isinf(b):
        return math.inf
    return abs(a - b) / math.ulp(max(abs(a), abs(b)))


def level_vessels(scenario):
    """Indices of the vessels whose bank and pitch are both zero."""
    level = set()
    index = 0
    with open(scenario) as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#") or line.startswith("name,"):
                continue
            fields = line.split(",")
            bank, pitch = (float.fromhex(x) if "0x" in x else float(x) for x in fields[7:9])
            if bank == 0 and pitch == 0:
                level.add(index)
            index += 1
    return level


def compare(native, windows, scenario):
    problems = []
    native_rows = native.strip().split("\n")
    windows_rows = windows.strip().split("\n")
    if len(native_rows) != len(windows_rows):
        return [f"{len(native_rows)} rows natively, {len(windows_rows)} from the DLL"]
    level = level_vessels(scenario)
    for n, w in zip(native_rows[1:], windows_rows[1:]):
        nf, wf = n.split(",", 5), w.split(",", 5)
        if nf[0:2] != wf[0:2] or nf[5] != wf[5]:
            problems.append(f"row differs:\n  native {n}\n  dll    {w}")
            continue
        exact = int(nf[1]) in level
        for a, b in zip(nf[2:5], wf[2:5]):
            if a == b:
                continue
            if a == "" or b == "":
                problems.append(f"force given on one platform only:\n  native {n}\n  dll    {w}")
                break
            distance = ulp_distance(float.fromhex(a), float.fromhex(b))
            if exact or distance > 2:
                problems.append(f"force differs by {distance} ulp:\n  native {n}\n  dll    {w}")
                break
    return problems


def main():
    parser = argparse.ArgumentParser()
    runner = parser.add_mutually_exclusive_group(required=True)
    runner.add_argument("--wine", metavar="ORBITER_EXE")
    runner.add_argument("--qemu", metavar="HOSTSIM32")
    parser.add_argument("--dll", required=True)
    parser.add_argument("--hostsim", required=True)
    parser.add_argument("--prefix", help="the Wine prefix")
    parser.add_argument("--trace-check", action="store_true")
    parser.add_argument("scenarios", nargs="+")
    args = parser.parse_args()

    if args.wine:
        env = wine_environment(args.prefix)
        reason = wine_usable(env)
        host = ["wine", args.wine]
    else:
        env = None
        reason = qemu_usable()
        host = ["qemu-i386", "-cpu", "max", args.qemu]
    if reason is not None:
        print("SKIPPED: " + reason)
        return SKIP
    if not os.path.exists(args.hostsim):
        print(f"the native hostsim {args.hostsim} is missing: build the native preset first")
        return 1

    failures = 0
    for scenario in args.scenarios:
        extra = ["--trace"] if args.trace_check else []
        status, out, err = run(host + ["--module", args.dll, "--scenario", scenario, "--csv"] +
                               extra, env)
        if status != 0:
            print(f"{scenario}: {' '.join(host)} exited {status}: {err}")
            failures += 1
            continue
        if args.trace_check:
            trace = [line for line in err.split("\n") if line.startswith("trace: ")]
            if not trace or not trace[0].startswith("trace: InitLib(") or \
                    not trace[-1].startswith("trace: opcDLLExit("):
                print(f"{scenario}: trace does not start with InitLib and end with opcDLLExit")
                failures += 1
            continue
        nstatus, native, nerr = run([args.hostsim, "--scenario", scenario, "--csv"])
        if nstatus != 0:
            print(f"{scenario}: hostsim exited {nstatus}: {nerr}")
            failures += 1
            continue
        problems = compare(native, out, scenario)
        for p in problems:
            print(f"{scenario}: {p}")
        failures += 1 if problems else 0
        if not problems:
            print(f"{scenario}: same lines and forces as the native hostsim")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
