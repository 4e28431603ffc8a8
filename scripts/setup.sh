#!/bin/sh
# Installs what building, running and testing TANSU needs, from Debian's
# packages.  Quick when everything is there already.
set -e
packages="g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev xvfb xauth fonts-noto-cjk clang libclang-rt-14-dev"
# Installing and packaging: the freedesktop validators, dpkg-shlibdeps, the
# MIME database tool, xmllint, and what the Debian package depends on
# beyond the libraries (its test starts the unpacked program here).
packages="$packages desktop-file-utils appstream dpkg-dev shared-mime-info libxml2-utils
  qt6-qpa-plugins fonts-ipafont-gothic qt6-translations-l10n"
# The viewer tansu-kiss unpacks LZH archives with liblhasa (lha to look in)
# and ZIP and tar with libarchive (bsdtar).
packages="$packages liblhasa-dev lhasa libarchive-dev libarchive-tools"
# Its sets' .wav sounds play through Qt Multimedia (the viewer builds and
# runs silent without it).
packages="$packages qt6-multimedia-dev"
missing=""
for p in $packages; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0
echo "installing:$missing"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq || true
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $missing
