#!/usr/bin/env bash
# Installs what building and running the uninstaller here needs: the
# mingw-w64 cross compilers, 64-bit Wine, Xvfb and the tools the tests use.
# 32-bit Wine is never installed: this machine cannot run it.
set -euo pipefail

packages=(cmake make g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest wine wine64 xvfb
          imagemagick x11-utils locales python3 nsis)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Locales for the tests that run in other ANSI code pages.
for loc in ru_RU.UTF-8 ja_JP.UTF-8; do
  if ! locale -a 2>/dev/null | grep -qi "^${loc/UTF-8/utf8}$"; then
    sed -i "s/^# *${loc} UTF-8/${loc} UTF-8/" /etc/locale.gen
    grep -q "^${loc} UTF-8" /etc/locale.gen || echo "${loc} UTF-8" >> /etc/locale.gen
    need_gen=1
  fi
done
if [[ -n "${need_gen:-}" ]]; then locale-gen >/dev/null; fi
