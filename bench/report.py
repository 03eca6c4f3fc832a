#!/usr/bin/env python3
"""Prints the benchmark table from the figures scripts/bench.sh collected.

Usage: report.py RESULTS

RESULTS holds "name value" lines in the order they were measured (several
lines of one name are the runs of that figure; the n-th lines of two names
come from the same run) and "meta.<key> <text>" lines. Each figure is set
against a peer or floor measured in the same run: the table gives medians
and the median of the per-run ratios (ours / reference). Exits 1 when a
contender failed to do its job (something left behind, a run that failed).
"""
import statistics
import sys
from collections import defaultdict


def load(path):
    figures, meta = defaultdict(list), {}
    with open(path) as f:
        for line in f:
            parts = line.strip().split(None, 1)
            if len(parts) != 2:
                continue
            name, value = parts
            if name.startswith("meta."):
                meta[name[5:]] = value
                continue
            try:
                figures[name].append(float(value))
            except ValueError:
                pass
    return figures, meta


class Report:
    def __init__(self, figures, meta):
        self.f, self.meta = figures, meta
        self.failures = []
        self.lines = []

    def med(self, name):
        values = self.f.get(name)
        return statistics.median(values) if values else None

    def paired(self, name, *references):
        """Median of the per-run ratios name / min(references)."""
        ours = self.f.get(name, [])
        refs = [self.f.get(r, []) for r in references]
        n = min([len(ours)] + [len(r) for r in refs]) if refs else 0
        ratios = []
        for i in range(n):
            reference = min(r[i] for r in refs)
            if reference > 0 and ours[i] >= 0:
                ratios.append(ours[i] / reference)
        return statistics.median(ratios) if ratios else None

    def require(self, condition, what):
        if not condition:
            self.failures.append(what)

    def check_done(self, prefix, names):
        for name in names:
            for v in self.f.get(f"{prefix}.{name}_ms", []):
                self.require(v >= 0, f"{prefix}.{name}: a run failed or timed out")
            for key in (f"{prefix}.{name}_left", f"{prefix}.{name}_items_left",
                        f"{prefix}.{name}_tree_left"):
                for v in self.f.get(key, []):
                    self.require(v == 0, f"{key}: {int(v)} entries left behind")

    def section(self, title):
        self.lines.append("")
        self.lines.append(title)

    def row(self, label, ours, reference="", ratio=None, goal="", verdict=""):
        ratio_text = "" if ratio is None else f"{ratio:.2f}"
        self.lines.append(f"  {label:44s} {ours:>12s}  {reference:>24s}  {ratio_text:>7s}  "
                          f"{goal:>7s} {verdict}")

    def note(self, text):
        self.lines.append(f"    {text}")


def seconds(ms):
    if ms is None:
        return "n/a"
    return f"{ms / 1000:.2f} s" if ms >= 1000 else f"{ms:.1f} ms"


def verdict(ratio, goal):
    if ratio is None:
        return "n/a"
    return "met" if ratio <= goal else "MISSED"


def kib(n):
    return f"{n / 1024:.1f} KiB" if n is not None else "n/a"


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    figures, meta = load(sys.argv[1])
    r = Report(figures, meta)
    runs = meta.get("runs", "")
    print(f"Uninstaller benchmarks: {meta.get('mode', '?')} mode, {meta.get('cores', '?')} cores, "
          f"{meta.get('wine', 'wine ?')}, work area {meta.get('area', '?')}, "
          f"pinning: {meta.get('pinning', '?')}")
    print(f"Medians of {runs}; ratio = ours / reference (median of the per-run ratios); "
          "below 1 means ours is faster or smaller.")
    r.lines.append(f"  {'figure':44s} {'ours':>12s}  {'reference':>24s}  {'ratio':>7s}  "
                   f"{'goal':>7s}")

    # 1. Folder sweep
    tree = {k: r.med(f"tree.{k}") for k in ("files", "folders", "max_depth", "read_only", "hidden")}
    if r.f.get("sweep.ours_ms"):
        r.section(f"1. Folder sweep: {tree['files']:.0f} files in {tree['folders']:.0f} folders, "
                  f"depth {tree['max_depth']:.0f}, {tree['read_only']:.0f} read-only, "
                  f"{tree['hidden']:.0f} hidden ({len(r.f['sweep.ours_ms'])} runs)")
        r.check_done("sweep", ["ours", "rd", "shfileop"])
        ours, rd, shf = r.med("sweep.ours_ms"), r.med("sweep.rd_ms"), r.med("sweep.shfileop_ms")
        faster = "rd /s /q" if rd <= shf else "SHFileOperationA"
        ratio = r.paired("sweep.ours_ms", "sweep.rd_ms", "sweep.shfileop_ms")
        r.row("SweepFolder vs the faster shell delete", seconds(ours),
              f"{faster} {seconds(min(rd, shf))}", ratio, "<= 1.00", verdict(ratio, 1.0))
        r.row("  vs cmd /c rd /s /q (process, wall)", "", seconds(rd),
              r.paired("sweep.ours_ms", "sweep.rd_ms"))
        r.row("  vs SHFileOperationA FO_DELETE", "", seconds(shf),
              r.paired("sweep.ours_ms", "sweep.shfileop_ms"))
        r.row("  vs rm -rf on Linux (floor)", "", seconds(r.med("sweep.rm_ms")),
              r.paired("sweep.ours_ms", "sweep.rm_ms"))
        r.note(f"ours and SHFileOperationA timed in-process with QueryPerformanceCounter; rd includes "
               f"starting cmd.exe ({seconds(r.med('sweep.cmd_start_ms'))} alone)")

    # 2. Removal sequence
    if r.f.get("removal.ours_ms"):
        items = r.med("removal.items")
        r.section(f"2. Removal sequence: {items:.0f} recorded items "
                  f"({len(r.f['removal.ours_ms'])} runs, in-process)")
        r.check_done("removal", ["ours", "floor"])
        for who in ("ours", "floor"):
            for v in r.f.get(f"removal.{who}_present_before", []):
                r.require(v == items + 1, f"removal.{who}: only {int(v)} items were there to delete")
        ratio = r.paired("removal.ours_ms", "removal.floor_ms")
        r.row("RemoveRecordedItems vs deletes from memory", seconds(r.med("removal.ours_ms")),
              f"floor {seconds(r.med('removal.floor_ms'))}", ratio, "<= 1.50", verdict(ratio, 1.5))
        r.note(f"of ours: parsing the description {seconds(r.med('removal.parse_ms'))}, "
               f"its {r.med('removal.reads'):.0f} reads {seconds(r.med('removal.reads_ms'))}, of which "
               f"the file-stamp check before each read {seconds(r.med('removal.stamp_checks_ms'))}")

    # 3. Start-up and 5. memory
    if r.f.get("startup.ours_window_ms"):
        n = len(r.f["startup.ours_window_ms"])
        r.section(f"3. Start-up: process start to visible window ({n} runs each, alternating)")
        r.check_done("startup", ["ours_window", "minimal_window", "minimal_cc_window"])
        ratio = r.paired("startup.ours_window_ms", "startup.minimal_window_ms")
        r.row("Uninstall.exe vs minimal window", seconds(r.med("startup.ours_window_ms")),
              f"minimal {seconds(r.med('startup.minimal_window_ms'))}", ratio, "<= 1.20",
              verdict(ratio, 1.2))
        if r.f.get("startup.minimal_cc_window_ms"):
            r.row("  vs minimal + common controls 6", "",
                  seconds(r.med("startup.minimal_cc_window_ms")),
                  r.paired("startup.ours_window_ms", "startup.minimal_cc_window_ms"))
        if r.f.get("startup_parts.create_window_ms"):
            r.note(f"in-process: process creation to main {seconds(r.med('startup_parts.process_to_main_ms'))}, "
                   f"CreateMainForm {seconds(r.med('startup_parts.create_window_ms'))}, first show and "
                   f"paint {seconds(r.med('startup_parts.show_and_paint_ms'))}")

    # 4. Size
    if r.f.get("size.ours_i686"):
        r.section("4. Size of the executable")
        ours32 = r.med("size.ours_i686")
        r.row("i686 Uninstall.exe (shipped)", kib(ours32), "goal 128.0 KiB", ours32 / 131072,
              "<= 1.00", verdict(ours32 / 131072, 1.0))
        r.require(r.med("size.ours_i686_foreign_imports") == 0,
                  "the i686 executable imports a DLL that is not a system DLL")
        r.note(f"imports: {meta.get('imports_i686', '?')}")
        min32 = r.med("size.minimal_i686")
        r.row("  vs minimal window, i686", "", kib(min32), ours32 / min32)
        ours64, min64 = r.med("size.ours_x86_64"), r.med("size.minimal_x86_64")
        r.row("x86_64 Uninstall.exe", kib(ours64), f"minimal {kib(min64)}", ours64 / min64)
        if r.f.get("size.map.program"):
            r.note(f"i686 code and data by origin (linker map): program {kib(r.med('size.map.program'))}, "
                   f"C++ runtime {kib(r.med('size.map.cxx_runtime'))}, "
                   f"C runtime {kib(r.med('size.map.c_runtime'))}; "
                   f"resources {kib(r.med('size.section.rsrc'))}, imports {kib(r.med('size.section.idata'))}, "
                   f"relocations {kib(r.med('size.section.reloc'))}")

    if r.f.get("memory.ours_peak_ws_bytes"):
        r.section("5. Memory: peak working set while the window shows")
        ours = r.med("memory.ours_peak_ws_bytes")
        ratio = r.paired("memory.ours_peak_ws_bytes", "memory.minimal_peak_ws_bytes")
        r.row("Uninstall.exe vs minimal window", kib(ours),
              f"minimal {kib(r.med('memory.minimal_peak_ws_bytes'))}", ratio, "<= 1.20",
              verdict(ratio, 1.2))
        if r.f.get("memory.minimal_cc_peak_ws_bytes"):
            r.row("  vs minimal + common controls 6", "",
                  kib(r.med("memory.minimal_cc_peak_ws_bytes")),
                  r.paired("memory.ours_peak_ws_bytes", "memory.minimal_cc_peak_ws_bytes"))

    # 6. Repainting
    if r.f.get("repaint.ours_step_ms"):
        steps = r.med("repaint.steps")
        r.section(f"6. Progress step with its composed repaint ({steps:.0f} steps, in-process)")
        tick = 30.0
        ours = r.med("repaint.ours_step_ms")
        r.row("one step (median) vs the 30 ms tick", seconds(ours), "tick 30.0 ms", ours / tick,
              "<< 1", "met" if ours / tick <= 0.5 else "MISSED")
        p95 = r.med("repaint.ours_step_p95_ms")
        r.row("  95th percentile of the steps vs the tick", seconds(p95), "", p95 / tick)
        r.row("  slowest step vs the tick", seconds(r.med("repaint.ours_step_max_ms")), "",
              r.med("repaint.ours_step_max_ms") / tick)
        r.row("  vs a bare progress bar", "", seconds(r.med("repaint.plain_step_ms")),
              ours / r.med("repaint.plain_step_ms"))
        r.note(f"composed repaints (banner loaded again) per step: "
               f"{r.med('repaint.ours_composed_per_step'):.2f} through ProgressBar::SetPosition; "
               f"{r.med('repaint.ours_message_only_composed_per_step'):.2f} with PBM_SETPOS alone "
               f"({seconds(r.med('repaint.ours_message_only_step_ms'))} a step)")

    # 7. The NSIS peer
    if r.f.get("job.ours_process_ms"):
        n = len(r.f["job.ours_process_ms"])
        r.section(f"7. Against the NSIS peer: the recorded items plus the folder tree ({n} runs)")
        r.check_done("job", ["ours_inprocess", "ours_process", "peer_process"])
        ours_size, peer_size = r.med("size.ours_x86_64"), r.med("size.peer_amd64")
        ratio = ours_size / peer_size
        r.row("x86_64 Uninstall.exe vs peer uninstaller", kib(ours_size),
              f"peer amd64 {kib(peer_size)}", ratio, "< 1", "met" if ratio < 1 else "MISSED")
        ratio32 = r.med("size.ours_i686") / r.med("size.peer_stub_x86")
        r.row("i686 Uninstall.exe vs peer's x86 stub alone", kib(r.med("size.ours_i686")),
              f"stub {kib(r.med('size.peer_stub_x86'))}", ratio32, "< 1",
              "met" if ratio32 < 1 else "MISSED")
        r.note(f"the peer carries its lists inside the executable; ours reads them from "
               f"Uninstall.ini ({kib(r.med('size.description'))})")
        ratio = r.paired("job.ours_process_ms", "job.peer_process_ms")
        r.row("whole process, wall time: ours vs peer", seconds(r.med("job.ours_process_ms")),
              f"peer {seconds(r.med('job.peer_process_ms'))}", ratio, "< 1",
              "met" if ratio is not None and ratio < 1 else "MISSED")
        r.row("  ours in-process (QPC), same work", seconds(r.med("job.ours_inprocess_ms")), "",
              r.paired("job.ours_inprocess_ms", "job.peer_process_ms"))
        r.note("ours as a whole process: the program's removal and sweep without its window "
               "(headless_uninstall.exe); the peer: its uninstaller run with /S _?=<folder>")

    print("\n".join(r.lines))
    if r.failures:
        print("\nFAILED:")
        for failure in r.failures:
            print(f"  {failure}")
        sys.exit(1)


if __name__ == "__main__":
    main()
