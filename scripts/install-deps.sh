#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and
# nothing else: only those missing, without recommends, and apt-get update
# only when something must be installed. A machine that has them all is left
# untouched.
set -euo pipefail

packages=(
  cmake g++ make pkg-config python3
  clang clang-format libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev
  libfltk1.3-dev libx11-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  # The menu font's configuration is read ahead on a thread of its own.
  libfontconfig-dev
  # Drawing without a display: EGL and Mesa's EGL driver; PNG pictures.
  libegl-dev libegl-mesa0 libpng-dev
  # kovomodel-convert reads and writes the other formats with Assimp (and
  # zlib's checksums for 3MF); its benchmark compares with Assimp's converter.
  libassimp-dev zlib1g-dev assimp-utils
  xvfb xauth xdotool x11-apps fonts-dejavu-core
  # xprop and xev: the end-to-end tests read window properties and map
  # notifications as a desktop does.
  x11-utils
  # The desktop's own tools, which the install runs and the tests query.
  shared-mime-info libglib2.0-bin xdg-utils desktop-file-utils gtk-update-icon-cache appstream
  # The manual pages' source format; the Debian package, made by CPack with
  # dpkg-shlibdeps, checked by lintian, its pages by man; the completions.
  scdoc dpkg-dev fakeroot lintian man-db bash-completion
  # The toolkit's native open dialog loads this at run time when it is there.
  libgtk2.0-0
  # scripts/bench-turn.sh: the viewer it compares with, and peak memory.
  f3d time
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
