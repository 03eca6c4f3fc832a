#!/usr/bin/env bash
# The main job: builds the uninstaller, installs a sample application in a
# Wine prefix of its own and uninstalls it through the real window.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
source "$root/scripts/wine-env.sh"
wine_env_start "$root" demo
mkdir -p "$root/build/screenshots"
export UNINSTALLER_EXE="$root/build/x86_64/Uninstall.exe" SCREENSHOT_DIR="$root/build/screenshots"
wine "$root/build/x86_64/tests/demo.exe"
for shot in demo-window demo-progress; do
  convert "$root/build/screenshots/$shot.bmp" "$root/build/screenshots/$shot.png" 2>/dev/null &&
    echo "Screenshot: build/screenshots/$shot.png"
done
