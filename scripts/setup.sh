#!/usr/bin/env bash
# Installs every system and npm package the editor needs to build, run and test.
# Idempotent: packages already present are left alone and nothing is printed for them.
# "setup.sh package-check" also installs what scripts/check-package.sh needs.
set -euo pipefail

APT_PACKAGES=(
  cmake ninja-build g++ pkg-config python3
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-svg-dev qt6-image-formats-plugins
  libgl-dev libxkbcommon-dev
  libbenchmark-dev libpugixml-dev
  clang libclang-rt-14-dev clang-format
  fp-utils libchm-dev
  qt6-webengine-dev qt6-base-private-dev libfontconfig-dev
  haxe
  xvfb xauth imagemagick xdotool fonts-dejavu-core fonts-urw-base35
  qt6-gtk-platformtheme at-spi2-core python3-pyatspi dbus-daemon
  dpkg-dev shared-mime-info desktop-file-utils xdg-utils libfile-mimeinfo-perl
  lintian man-db appstream
)
[ "${1:-}" != package-check ] || APT_PACKAGES+=(debootstrap)

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

missing=()
for p in "${APT_PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# npm comes with Node.js; Debian's own npm package stands in where it does not.
command -v npm >/dev/null || {
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends npm >/dev/null
}

# The preview's Flash player (Ruffle), exactly as pinned in package-lock.json.
# npm ci runs again only when the lock file changed since the last install.
cd "$(dirname "$0")/.."
stamp=node_modules/.trevix-installed-lock
if ! cmp -s package-lock.json "$stamp"; then
  echo "Installing npm packages"
  npm ci --ignore-scripts --no-audit --no-fund --loglevel=error
  cp package-lock.json "$stamp"
fi
