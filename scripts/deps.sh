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
