#!/bin/sh
# Links can only be made on the Unix side: a directory link and its target
# for the tests, in the prefix's drive C:, inside the folder of an
# application that a test then uninstalls.
set -e
base="$WINEPREFIX/drive_c/uninstaller-links"
rm -rf "$base"
mkdir -p "$base/target" "$base/empty-target" "$base/app"
echo keep > "$base/target/keep.txt"
ln -s "$base/target" "$base/app/data"
ln -s "$base/empty-target" "$base/app/cache"
