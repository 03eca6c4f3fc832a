#!/bin/sh
# Starts the program from a folder whose path is longer than 260 bytes (the
# system's own start-up takes such paths only from the Unix side), then
# lets the test drive it.
set -e
tests_exe=$1
base="$WINEPREFIX/drive_c/uninstaller-long-path"
rm -rf "$base"
# Every folder on the way holds a description and a bystander: a cut-off
# path names one of them, and taking it as the installation would sweep it.
folder="$base"
for i in 0 1 2 3 4 5; do
  [ "$i" = 0 ] || folder="$folder/dddddddddddddddddddddddddddddddddddddddddddddddddddddddddddd"
  mkdir -p "$folder"
  printf '[uninstall12]\r\n3=Wrong folder %d\r\n' "$i" > "$folder/Uninstall.ini"
  echo keep > "$folder/bystander.txt"
done
cp "$UNINSTALLER_EXE" "$folder/Uninstall.exe"
wine "$folder/Uninstall.exe" &
LONG_PATH_FOLDER="C:${folder#$WINEPREFIX/drive_c}" wine "$tests_exe" --gtest_filter='LongPath.*'
status=$?
wait || true
rm -rf "$base"
exit $status
