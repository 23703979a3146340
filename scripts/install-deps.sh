#!/bin/sh
# Installs the Debian packages Plimo needs to build, test and run.
# Idempotent and quiet when everything is there; uses sudo only when not root.
set -eu

PACKAGES="cmake make g++ clang clang-format libclang-rt-dev pkg-config qt6-base-dev libqt6sql6-sqlite libgl-dev libgtest-dev libgmock-dev \
libbenchmark-dev fonts-liberation xdg-utils hunspell hunspell-fr-classical xvfb xauth poppler-utils libx11-dev \
nlohmann-json3-dev python3 desktop-file-utils appstream dpkg-dev"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
else
    echo "install-deps: missing packages:$missing" >&2
    echo "install-deps: run as root or install sudo" >&2
    exit 1
fi

echo "install-deps: installing$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
# shellcheck disable=SC2086
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >/dev/null
