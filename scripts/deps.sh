#!/usr/bin/env bash
# Installs what building and testing Orvelle needs on Debian 12 (apt-get), and
# any further Debian packages given as arguments.
set -euo pipefail
paquets=(g++ cmake ninja-build ccache pkg-config qt6-base-dev qt6-base-dev-tools
         qt6-image-formats-plugins qt6-translations-l10n libjpeg-dev libgl-dev libgtest-dev
         libgmock-dev fonts-dejavu-core clang libclang-rt-14-dev
         libsane-dev libsane1 sane-utils qt6-multimedia-dev qt6-charts-dev qt6-svg-dev
         poppler-utils libopencv-imgproc-dev libjpeg-turbo-progs)
# Extra packages named on the command line (the packaging checks need a few).
paquets+=("$@")
manquants=()
for p in "${paquets[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
done
if [ ${#manquants[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${manquants[@]}"
fi
