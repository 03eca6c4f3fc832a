#!/usr/bin/env bash
# Benchmarks: every figure is printed as a ratio against a peer or a floor
# measured in the same run, under the same Wine (docs/performance.md).
#
#   scripts/bench.sh           full sizes, several runs each (3 to 4 minutes here)
#   scripts/bench.sh --short   small sizes, one to three runs (for CI)
#   --disk                     work on the prefix's drive C: instead of a RAM disk
#   --no-pin                   let Wine's processes run on any core
#
# Exits 0 unless something is broken: a contender that failed to do its job.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

mode=full
area=ram
pin_cpu=$(( $(nproc) - 1 ))
for arg in "$@"; do
  case "$arg" in
    --short) mode=short ;;
    --disk) area=disk ;;
    --no-pin) pin_cpu= ;;
    *) echo "usage: $0 [--short] [--disk] [--no-pin]" >&2; exit 2 ;;
  esac
done
# Every Wine call is a round trip to the Wine server. On a virtual machine
# a wake-up on another core is so costly that where the scheduler happens
# to put the two processes decided the figures more than the work did (up
# to six times, from one second to the next); so the Wine server, the X server,
# every Wine process and the floor run on one core.
pin=()
if [[ -n $pin_cpu ]] && command -v taskset >/dev/null; then pin=(taskset -c "$pin_cpu"); fi

# Own names, so that other work in the tree is not disturbed; the
# variables let a developer point the script at build trees of their own.
name=${BENCH_NAME:-bench}
x64=${BENCH_X64_DIR:-$root/build/x86_64}
i686=${BENCH_I686_DIR:-$root/build/i686}

if [[ $mode == full ]]; then
  tree_files=20000 tree_folders=2000 tree_depth=10
  list_files=10000 list_values=2000 list_links=500
  sweep_runs=5 removal_runs=7 startup_runs=21 paint_rounds=5 job_runs=5
else
  tree_files=1000 tree_folders=100 tree_depth=10
  list_files=500 list_values=100 list_links=25
  sweep_runs=1 removal_runs=2 startup_runs=3 paint_rounds=1 job_runs=1
fi

if [[ -z ${BENCH_NO_BUILD:-} ]]; then
  "$root/scripts/setup.sh"
  "$root/scripts/build.sh"
fi
driver="$x64/bench/bench_driver.exe"
for exe in "$driver" "$x64/bench/minimal_window.exe" "$x64/bench/minimal_window_cc.exe" \
           "$x64/bench/headless_uninstall.exe" "$x64/bench/repaint_bench.exe" \
           "$x64/Uninstall.exe" "$i686/Uninstall.exe"; do
  [[ -f $exe ]] || { echo "missing $exe (build first)" >&2; exit 1; }
done

work="$root/build/$name-work"
rm -rf "$work"
mkdir -p "$work"
results="$work/results.txt"
: > "$results"
meta() { echo "meta.$1 $2" >> "$results"; }
ms_since() { echo "$(( ($(date +%s%N) - $1) / 1000 ))" | awk '{printf "%.3f", $1 / 1000}'; }

meta mode "$mode"
meta cores "$(nproc)"
meta wine "$(wine --version 2>/dev/null | head -1)"
meta runs "$sweep_runs sweeps, $removal_runs removals, $startup_runs starts, $paint_rounds x 101 progress steps, $job_runs whole jobs"

# ---- 4. Size (no Wine needed) ------------------------------------------------
echo "== sizes"
size() { stat -c %s "$1"; }
echo "size.ours_i686 $(size "$i686/Uninstall.exe")" >> "$results"
echo "size.ours_x86_64 $(size "$x64/Uninstall.exe")" >> "$results"
echo "size.minimal_x86_64 $(size "$x64/bench/minimal_window.exe")" >> "$results"
# The minimal window for i686, linked as the shipped program is.
i686-w64-mingw32-g++-win32 -std=c++17 -Os -fno-exceptions -fno-rtti -ffunction-sections \
  -fdata-sections -fno-asynchronous-unwind-tables -DWINVER=0x0601 -D_WIN32_WINNT=0x0601 \
  -DNOMINMAX -DSTRICT -mwindows -static -static-libgcc -static-libstdc++ -Wl,--gc-sections -s \
  "$root/bench/minimal_window.cpp" -o "$work/minimal_window_i686.exe"
echo "size.minimal_i686 $(size "$work/minimal_window_i686.exe")" >> "$results"
imports=$(objdump -p "$i686/Uninstall.exe" | awk '/DLL Name:/ {print tolower($3)}' | sort | tr '\n' ' ')
meta imports_i686 "$imports"
foreign=0
for dll in $imports; do
  case "$dll" in
    kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|advapi32.dll|shell32.dll|msvcrt.dll) ;;
    *) foreign=$((foreign + 1)) ;;
  esac
done
echo "size.ours_i686_foreign_imports $foreign" >> "$results"
# Where the bytes come from: the same link again, with a map.
link=$(tail -1 "$i686/CMakeFiles/uninstall.dir/link.txt")
if (cd "$i686" && eval "${link/-o Uninstall.exe/-o $work/Uninstall-map.exe -Wl,-Map=$work/uninstall-i686.map}"); then
  python3 "$root/bench/map_summary.py" "$work/uninstall-i686.map" --groups >> "$results"
fi
objdump -h "$i686/Uninstall.exe" | while read -r _ section bytes _; do
  case "$section" in
    .rsrc|.idata|.reloc) echo "size.section.${section#.} $((16#$bytes))" ;;
  esac
done >> "$results"

# ---- Wine, and where the work happens ---------------------------------------
source "$root/scripts/wine-env.sh"
wine_env_start "$root" "$name"
# One server for all the starts below, kept while no process runs.
wineserver -k && wineserver -w && "${pin[@]}" wineserver -p
if ((${#pin[@]})); then
  taskset -p -c "$pin_cpu" "$XVFB_PID" >/dev/null
  meta pinning "all on core $pin_cpu"
else
  meta pinning "none"
fi
if [[ $area == ram && -d /dev/shm && -w /dev/shm ]]; then
  base="/dev/shm/uninstaller-$name-$$"
  letter=""
  for l in r s t u v w x y; do
    [[ -e "$WINEPREFIX/dosdevices/$l:" ]] || { letter=$l; break; }
  done
  [[ -n $letter ]] || { echo "no free drive letter" >&2; exit 1; }
  mkdir -p "$base"
  ln -s "$base" "$WINEPREFIX/dosdevices/$letter:"
  win="${letter^^}:"
  meta area "RAM disk ($base as $win)"
else
  base="$WINEPREFIX/drive_c/uninstaller-bench"
  letter=""
  win="C:\\uninstaller-bench"
  rm -rf "$base"
  mkdir -p "$base"
  meta area "drive C: of the prefix ($base)"
fi
cleanup() {
  "${pin[@]}" wine "$driver" cleanup >/dev/null 2>&1 || true
  wine_env_stop
  [[ -n $letter ]] && rm -f "$WINEPREFIX/dosdevices/$letter:"
  rm -rf "$base"
}
trap cleanup EXIT

run() { "${pin[@]}" wine "$driver" "$@" | tr -d '\r' >> "$results"; }
gen() { python3 "$root/bench/make_items.py" "$@"; }

echo "== generating $tree_files files in $tree_folders folders, and $list_files + $list_values + $list_links listed items"
gen tree "$base/tmpl-tree" "$tree_files" "$tree_folders" "$tree_depth"
gen items "$base/tmpl-items" "$list_files" "$list_links"
run census "$win\\tmpl-tree"

# ---- 1. Folder sweep ---------------------------------------------------------
for ((r = 0; r < sweep_runs; r++)); do
  echo "== folder sweep, run $((r + 1)) of $sweep_runs"
  mkdir -p "$base/sweep"
  for d in ours rd shell unix; do cp -a "$base/tmpl-tree" "$base/sweep/$d"; done
  start=$(date +%s%N)
  "${pin[@]}" rm -rf "$base/sweep/unix"
  echo "sweep.rm_ms $(ms_since "$start")" >> "$results"
  run sweep "$win\\sweep\\ours" "$win\\sweep\\rd" "$win\\sweep\\shell" "$r"
  rm -rf "$base/sweep"
done

# ---- 2. Removal sequence -----------------------------------------------------
gen ini "$base/ours.ini" "$win\\removal\\ours" "$list_files" "$list_values" "$list_links" ours BenchOurs
gen ini "$base/floor.ini" "$win\\removal\\floor" "$list_files" "$list_values" "$list_links" floor BenchFloor
for ((r = 0; r < removal_runs; r++)); do
  echo "== removal sequence, run $((r + 1)) of $removal_runs"
  mkdir -p "$base/removal"
  cp -a "$base/tmpl-items" "$base/removal/ours"
  cp -a "$base/tmpl-items" "$base/removal/floor"
  run removal "$win\\ours.ini" "$win\\floor.ini" $((r % 2 == 0 ? 1 : 0))
  rm -rf "$base/removal"
done

# ---- 3. Start-up and 5. memory ----------------------------------------------
echo "== start-up and memory, $startup_runs runs each"
mkdir -p "$base/startup/ours" "$base/startup/minimal" "$base/startup/minimal_cc"
cp "$x64/Uninstall.exe" "$base/startup/ours/"
gen sample-ini "$base/startup/ours/Uninstall.ini"
cp "$x64/bench/minimal_window.exe" "$base/startup/minimal/"
cp "$x64/bench/minimal_window_cc.exe" "$base/startup/minimal_cc/"
run startup "$startup_runs" ours "$win\\startup\\ours\\Uninstall.exe" \
  minimal "$win\\startup\\minimal\\minimal_window.exe" \
  minimal_cc "$win\\startup\\minimal_cc\\minimal_window_cc.exe"

# ---- 6. Repainting -------------------------------------------------------------
echo "== progress steps"
mkdir -p "$base/repaint"
cp "$x64/bench/repaint_bench.exe" "$base/repaint/"
gen sample-ini "$base/repaint/Uninstall.ini"
"${pin[@]}" wine "$win\\repaint\\repaint_bench.exe" "$paint_rounds" | tr -d '\r' >> "$results"

# ---- 7. The NSIS peer ------------------------------------------------------------
echo "== the NSIS peer: building it"
mkdir -p "$work/nsis"
gen nsis "$work/nsis/peer.nsi" "$win\\job\\peer-items" "$list_files" "$list_values" "$list_links" \
  peer BenchPeer '$EXEDIR\uninst.exe'
(cd "$work/nsis" && makensis -V1 peer.nsi >/dev/null)
mkdir -p "$base/nsis"
cp "$work/nsis/peer-setup.exe" "$base/nsis/"
"${pin[@]}" wine "$win\\nsis\\peer-setup.exe" /S
[[ -f "$base/nsis/uninst.exe" ]] || { echo "the peer's installer wrote no uninstaller" >&2; exit 1; }
echo "size.peer_amd64 $(size "$base/nsis/uninst.exe")" >> "$results"
echo "size.peer_stub_x86 $(size /usr/share/nsis/Stubs/zlib-x86-unicode)" >> "$results"
echo "size.peer_stub_amd64 $(size /usr/share/nsis/Stubs/zlib-amd64-unicode)" >> "$results"
for ((r = 0; r < job_runs; r++)); do
  echo "== whole job against the peer, run $((r + 1)) of $job_runs"
  for who in inproc headless peer; do
    mkdir -p "$base/job/$who"
    cp -a "$base/tmpl-tree" "$base/job/$who/tree"
    cp -a "$base/tmpl-items" "$base/job/$who-items"
  done
  gen ini "$base/job/inproc/Uninstall.ini" "$win\\job\\inproc-items" "$list_files" "$list_values" \
    "$list_links" inproc BenchInproc
  gen ini "$base/job/headless/Uninstall.ini" "$win\\job\\headless-items" "$list_files" \
    "$list_values" "$list_links" headless BenchHeadless
  gen ini "$base/job/peer/items.ini" "$win\\job\\peer-items" "$list_files" "$list_values" \
    "$list_links" peer BenchPeer
  cp "$x64/bench/headless_uninstall.exe" "$base/job/headless/Uninstall.exe"
  cp "$base/nsis/uninst.exe" "$base/job/peer/uninst.exe"
  echo "size.description $(size "$base/job/headless/Uninstall.ini")" >> "$results"
  run job "$win\\job\\inproc" "$win\\job\\headless" "$win\\job\\peer" "$r"
  rm -rf "$base/job"
done

echo
cp "$results" "$root/build/$name-results.txt"
python3 "$root/bench/report.py" "$results" | tee "$work/report.txt"
