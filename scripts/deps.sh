# SPDX-License-Identifier: MIT
# Sourced by scripts/play and scripts/test: installs the Debian packages given
# when any of them is missing.
ensure_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "These Debian packages are missing: ${missing[*]}" >&2
      echo "Installing them needs root: run this command as root, or install sudo" >&2
      echo "(as root: apt-get install sudo), or install them yourself:" >&2
      echo "  apt-get install ${missing[*]}" >&2
      exit 1
    fi
    sudo="sudo"
  fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# For the scripts that run Zorv.exe: Wine with its 32-bit half (Debian's
# i386 architecture added first), the packages given besides, and a prefix
# in build/ made once, so that the first start is set-up and not part of a
# run. No Mono or Gecko: their installers would ask on the first start.
# Wine's own fonts go where Windows keeps fonts (its MS Sans Serif has the
# metrics of Windows', which dialog units depend on; without it Wine takes
# a wider font), and its windows are not handed to a window manager: with
# none running, every hidden window would wait two seconds for one.
use_wine() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    if [ "$(id -u)" -ne 0 ]; then
      echo "Adding Debian's i386 architecture for wine32 needs root: run this command as root." >&2
      exit 1
    fi
    dpkg --add-architecture i386
    apt-get update -qq
  fi
  ensure_packages wine wine32:i386 fonts-wine locales "$@"
  if [ "$(id -u)" -eq 0 ] && ! locale -a 2>/dev/null | grep -qix 'ru_RU.utf8'; then
    sed -i 's/^# *ru_RU.UTF-8 UTF-8/ru_RU.UTF-8 UTF-8/' /etc/locale.gen
    grep -qx 'ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' >>/etc/locale.gen
    locale-gen >/dev/null
  fi
  # A Russian system, as the program's players have: its code page gives
  # the dialogs' MS Sans Serif its Cyrillic letters.
  export WINEPREFIX="$PWD/build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export LC_ALL=ru_RU.UTF-8
  if [ ! -f "$WINEPREFIX/.zorv-ready" ]; then
    mkdir -p build
    wineboot -i >/dev/null 2>&1
    wineserver -w
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.zorv-ready"
  fi
}
