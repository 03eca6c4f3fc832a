#!/usr/bin/env bash
# Sets up, builds both targets and runs every test under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
source "$root/scripts/wine-env.sh"
wine_env_start "$root" test
mkdir -p "$root/build/screenshots"
cd "$root/build/x86_64"
ctest --output-on-failure --timeout 1200 "$@"
# Figures the tests print (the hostile corpus summary).
grep -h "hostile corpus:" Testing/Temporary/LastTest.log || true
