#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need;
# does nothing when they are all there already.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config git
  qt6-base-dev qt6-qpa-plugins libc-ares-dev netbase libjpeg62-turbo-dev libcpp-httplib-dev
  libssl-dev openssl ca-certificates
  qt6-image-formats-plugins
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core openbox twm # openbox and twm: the window test frames the program
  fonts-wqy-microhei # the screenshots show file names in Chinese and Japanese letters
  nginx-light tinyproxy curl wget
  microsocks dante-server openssh-server openssh-client
  clang libclang-rt-14-dev llvm libxml2-dev libturbojpeg0-dev libjpeg-turbo-progs
  ccache
  desktop-file-utils appstream man-db python3-xlib dpkg-dev file lintian
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
