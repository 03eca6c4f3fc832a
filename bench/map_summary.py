#!/usr/bin/env python3
"""Sums a GNU ld map file by input archive (or object) and output section.

Usage: map_summary.py MAP [--objects | --groups]
Prints bytes per archive for .text, .rdata, .data, .eh_frame (.pdata and
.xdata on x86_64) and the total, largest first; with --objects, per
archive member instead; with --groups, "size.map.<group> <bytes>" lines for
the program's own code, the C++ runtime (libstdc++, libgcc), the C runtime
(mingw-w64 start-up code, libmingwex, msvcrt glue) and import thunks.
"""
import re
import sys
from collections import defaultdict

SECTIONS = (".text", ".rdata", ".data", ".eh_frame", ".pdata", ".xdata")


def owner(path, by_object):
    m = re.match(r"(.*/)?([^/(]+)(\(([^)]*)\))?$", path.strip())
    if not m:
        return path
    archive, member = m.group(2), m.group(4)
    if by_object and member:
        return f"{archive}({member})"
    return archive


GROUPS = [
    ("program", ("libuninstaller_core.a", "objects.a")),
    ("cxx_runtime", ("libstdc++.a", "libgcc.a", "libgcc_eh.a", "libsupc++.a")),
    ("c_runtime", ("crt2.o", "crtbegin.o", "crtend.o", "libmingw32.a", "libmingwex.a",
                   "libmsvcrt.a", "libmoldname.a", "libpthread.a", "libwinpthread.a")),
]


# The standard library's string code and the runtime's ways out, compiled
# into the program's own objects, count as C++ runtime.
RUNTIME_OBJECTS = ("string_instances.cpp.obj", "terminate_handler.cpp.obj")


def group_of(name):
    archive, _, member = name.partition("(")
    if member.rstrip(")") in RUNTIME_OBJECTS:
        return "cxx_runtime"
    for group, members in GROUPS:
        if archive in members:
            return group
    return "import_thunks"


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    by_object = "--objects" in sys.argv or "--groups" in sys.argv
    sizes = defaultdict(lambda: defaultdict(int))
    out_section = None
    pending = None  # an input section name on a line of its own
    in_map = False
    with open(sys.argv[1], errors="replace") as f:
        for line in f:
            if line.startswith("Linker script and memory map"):
                in_map = True
                continue
            if not in_map:
                continue
            m = re.match(r"^(\.[\w$.]+)\s", line)
            if m:
                out_section = m.group(1)
                continue
            m = re.match(r"^ (\.[^\s]+)\s*$", line)
            if m:
                pending = m.group(1)
                continue
            m = re.match(r"^ (\.[^\s]+)?\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$", line)
            if m and (m.group(1) or pending):
                size = int(m.group(3), 16)
                pending = None
                key = next((s for s in SECTIONS if out_section and out_section.startswith(s[:8])), None)
                if key is None or size == 0:
                    continue
                sizes[owner(m.group(4), by_object)][key] += size
                continue
            pending = None
    if "--groups" in sys.argv:
        totals = defaultdict(int)
        for name, v in sizes.items():
            totals[group_of(name)] += sum(v.values())
        for group in [g for g, _ in GROUPS] + ["import_thunks"]:
            print(f"size.map.{group} {totals[group]}")
        return
    rows = sorted(sizes.items(), key=lambda kv: -sum(kv[1].values()))
    cols = [s for s in SECTIONS if any(v.get(s) for _, v in rows)]
    print(f"{'input':48s}" + "".join(f"{c:>10s}" for c in cols) + f"{'total':>10s}")
    totals = defaultdict(int)
    for name, v in rows:
        for c in cols:
            totals[c] += v.get(c, 0)
        print(f"{name[:48]:48s}" + "".join(f"{v.get(c, 0):10d}" for c in cols) + f"{sum(v.values()):10d}")
    print(f"{'(all)':48s}" + "".join(f"{totals[c]:10d}" for c in cols) + f"{sum(totals.values()):10d}")


if __name__ == "__main__":
    main()
