# SPDX-License-Identifier: MIT
# Sourced by the scripts: installs the Debian packages given when any of them
# is missing, and sets Wine up for the scripts that run Zorv.exe. Whatever
# needs root runs as root, or through sudo for a user who may use it; where
# neither is possible, it says what to run as root and stops.

# Whether commands can run as root here: this is root, or sudo lets this
# user (asking for the password only where someone can type it).
can_be_root() {
  [ "$(id -u)" -eq 0 ] && return 0
  command -v sudo >/dev/null 2>&1 || return 1
  sudo -n true 2>/dev/null && return 0
  [ -t 0 ] && sudo -v
}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  else
    sudo "$@"
  fi
}

# need_root WHAT COMMAND: stops, saying COMMAND, unless commands can run as root.
need_root() {
  can_be_root && return 0
  echo "$1 needs root, and this user cannot become root here." >&2
  if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null 2>&1; then
    echo "Run this command as root, or install sudo (as root: apt-get install sudo); or, as root:" >&2
  else
    echo "Run this command as root, or as a user who may use sudo; or, as root:" >&2
  fi
  echo "  $2" >&2
  exit 1
}

# A mirror in the middle of a sync serves an index of the wrong size for a
# while: ask again a few times before going on with what was fetched. The
# indexes are fetched once for a script and the scripts it runs.
apt_update() {
  local try
  export ZORV_APT_UPDATED=1
  for try in 1 2 3 4; do
    as_root apt-get update -qq && return 0
    [ $try -lt 4 ] && echo "apt-get update failed; trying again in $((try * 15)) s" >&2 && sleep $((try * 15))
  done
  return 0
}

ensure_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  need_root "Installing the missing Debian packages (${missing[*]})" \
    "apt-get update && apt-get install ${missing[*]}"
  echo "Installing: ${missing[*]}"
  [ -n "${ZORV_APT_UPDATED:-}" ] || apt_update
  local install=(env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends)
  as_root "${install[@]}" "${missing[@]}" && return 0
  # Where one architecture's index of the security archive could not be
  # fetched, a library of both architectures (zlib1g, amd64 and i386) may be
  # installed at a version the other architecture cannot have, and the two
  # must be the same version. Install again with each such library at the
  # newest version both can have.
  local same
  same=$(versions_both_can_have "${missing[@]}")
  [ -n "$same" ] || return 1
  echo "Installing again, with the libraries of both architectures at one version: ${same% }" >&2
  # shellcheck disable=SC2086
  as_root "${install[@]}" --allow-downgrades "${missing[@]}" $same
}

# For the foreign packages given (NAME:ARCH), the libraries they need that
# are installed for the native architecture and would stay or become a
# version the foreign one has no build of: NAME:NATIVE=VERSION, VERSION the
# newest the foreign architecture has.
versions_both_can_have() {
  local foreign=() p native
  native=$(dpkg --print-architecture)
  for p in "$@"; do
    [[ $p == *:* && $p != *:"$native" ]] && foreign+=("$p")
  done
  [ ${#foreign[@]} -gt 0 ] || return 0
  local needed arch=${foreign[0]#*:}
  needed=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances "${foreign[@]}" | sed -n "s/^\([a-z0-9][^ ]*\):$arch\$/\1/p" | sort -u)
  local name version newest
  while read -r name version; do
    grep -qx "$name" <<<"$needed" || continue
    # The version apt would take for the native package: its newest.
    version=$(apt-cache madison "$name:$native" | awk -v v="$version" 'NR == 1 {v = $3} END {print v}')
    apt-cache madison "$name:$arch" | awk -v v="$version" '$3 == v {found=1} END {exit !found}' && continue
    newest=$(apt-cache madison "$name:$arch" | awk 'NR == 1 {print $3}')
    [ -n "$newest" ] && printf '%s:%s=%s ' "$name" "$native" "$newest"
  done < <(dpkg-query -W -f='${Package} ${Version} ${Multi-Arch} ${Architecture}\n' |
    awk -v a="$native" '$3 == "same" && $4 == a {print $1, $2}')
  return 0
}

# The locales the Wine runs use: a Russian system, as the program's players
# have, and a Western one, as most of the world's Windows is.
ensure_locales() {
  local missing=()
  for l in "$@"; do
    locale -a 2>/dev/null | grep -qix "${l%%.*}.utf8" || missing+=("$l")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  need_root "Making the locales ${missing[*]}" \
    "$(printf "echo '%s UTF-8' >>/etc/locale.gen; " "${missing[@]}")locale-gen"
  for l in "${missing[@]}"; do
    as_root sed -i "s/^# *$l UTF-8/$l UTF-8/" /etc/locale.gen
    grep -qx "$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
  done
  as_root locale-gen >/dev/null
}

# For the scripts that run Zorv.exe: Wine with its 32-bit half (Debian's
# i386 architecture added first), the packages given besides, and a prefix
# in build/ for the locale of ZORV_WINE_LOCALE (Russian when unset), made
# once, so that the first start is set-up and not part of a run. No Mono or
# Gecko: their installers would ask on the first start. Wine's own fonts go
# where Windows keeps fonts (its MS Sans Serif has the metrics of Windows',
# which dialog units depend on; without it Wine takes a wider font), and its
# windows are not handed to a window manager: with none running, every
# hidden window would wait two seconds for one.
use_wine() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    need_root "Adding Debian's i386 architecture for wine32" \
      "dpkg --add-architecture i386 && apt-get update"
    as_root dpkg --add-architecture i386
    apt_update
  fi
  ensure_packages wine wine32:i386 fonts-wine locales "$@"
  ensure_locales ru_RU.UTF-8 en_US.UTF-8
  local locale=${ZORV_WINE_LOCALE:-ru_RU.UTF-8}
  export WINEPREFIX="$PWD/build/wineprefix-${locale%%.*}" WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=$locale
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
