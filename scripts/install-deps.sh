#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when any is missing.
# With "windows": also what `make windows-test` needs (mingw-w64, Wine, GoogleTest's source,
# the locales Wine takes its own from).
set -euo pipefail

packages=(
    cmake ninja-build g++ make pkg-config
    libicu-dev libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libsqlite3-dev qt6-translations-l10n
    fonts-ipafont-gothic xvfb xauth
    clang-14 libclang-rt-14-dev
)
if [ "${1:-}" = windows ]; then
    packages+=(g++-mingw-w64-x86-64-posix wine wine64 googletest locales)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    apt_get=(apt-get)
elif command -v sudo >/dev/null 2>&1; then
    apt_get=(sudo apt-get)
else
    echo "These packages are missing and neither root nor sudo is available to install them:" >&2
    echo "  apt-get install ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${apt_get[@]}" update -qq
"${apt_get[@]}" install -y -qq --no-install-recommends "${missing[@]}"
