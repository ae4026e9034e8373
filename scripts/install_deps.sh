#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, where they are missing. Sourced by the other scripts.
packages=(cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev fonts-dejavu-core fonts-liberation2 qt6-translations-l10n
          desktop-file-utils shared-mime-info poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
