#!/usr/bin/env bash
# Installs the Debian packages the project needs, when some are missing.
# As root it installs them with apt-get; otherwise it prints the command to run and fails.
set -euo pipefail

packages=(cmake g++ ninja-build qt6-base-dev qt6-svg-dev qt6-translations-l10n
          libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core xvfb xauth xdotool
          openbox x11-utils dpkg-dev file desktop-file-utils strace mold lintian appstream man-db
          poppler-utils python3 at-spi2-core python3-pyatspi dbus dbus-x11 locales-all
          orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng)
if [ "${FMLAB_WITH_FUZZ:-0}" = 1 ]; then packages+=(clang libclang-rt-14-dev); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Не хватает пакетов / missing packages. Run:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}" >/dev/null
