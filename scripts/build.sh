#!/usr/bin/env bash
# Builds both targets: i686 (the shipped program) and x86_64 (the same
# sources with the tests, run under wine64 here).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

cmake -S "$root" -B "$root/build/i686" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DUNINSTALLER_TESTS=OFF >/dev/null
cmake --build "$root/build/i686" -j "$jobs"

cmake -S "$root" -B "$root/build/x86_64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$root/build/x86_64" -j "$jobs"

for exe in "$root/build/i686/Uninstall.exe" "$root/build/x86_64/Uninstall.exe"; do
  imports=$(objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}' | sort | tr '\n' ' ')
  echo "$(basename "$(dirname "$exe")")/Uninstall.exe: $(stat -c %s "$exe") bytes, imports: $imports"
  for dll in $imports; do
    case "$dll" in
      kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|advapi32.dll|shell32.dll|msvcrt.dll) ;;
      *) echo "unexpected import $dll" >&2; exit 1 ;;
    esac
  done
done
