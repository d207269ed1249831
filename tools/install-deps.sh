#!/usr/bin/env bash
# Installs whatever Debian package of tools/packages.txt is missing; touches the network
# only when something is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
missing=()
while read -r pkg command; do
  [[ -z "$pkg" || "$pkg" == \#* ]] && continue
  # A package named with a command is there when the command is, whatever installed it.
  [[ -n "$command" ]] && command -v "$command" >/dev/null && continue
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done <"$here/packages.txt"
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q "${missing[@]}"
