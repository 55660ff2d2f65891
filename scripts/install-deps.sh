#!/bin/sh
# Installs every Debian package the project needs to build, test and run.
set -eu
PACKAGES="
  build-essential cmake ninja-build pkg-config
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev libgl-dev
  libgsf-1-dev libglib2.0-dev libxlsxwriter-dev libalglib-dev
  libxml2-dev zlib1g-dev
  qt6-svg-dev poppler-utils
  nlohmann-json3-dev libcli11-dev
  python3 python3-xlwt
  gnumeric
  xvfb xauth x11-utils imagemagick fonts-dejavu-core time
  dpkg-dev file desktop-file-utils appstream lintian
  groff-base
  locales libalglib-dev qt6-translations-l10n
"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi

# The users' machines run in ru_RU.UTF-8, and the tests run in it as well as in C.UTF-8.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO sed -i 's/^# *\(ru_RU\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ru_RU\.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
