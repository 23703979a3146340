#!/bin/sh
# `make run`: starts the desktop program from the build folder (under Xvfb
# when there is no display). Until it is built, shows the conjugation of a
# sample verb with plimo-conj instead.
#   scripts/run.sh [BUILD-FOLDER] [VERB]
set -eu
BUILD=${1:-build}
VERB=${2:-placer}
cd "$(dirname "$0")/.."
if [ -x "$BUILD/bin/Plimo" ]; then
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "run: no display found; starting Plimo on a virtual one (xvfb-run)" >&2
        exec xvfb-run -a "$BUILD/bin/Plimo"
    fi
    exec "$BUILD/bin/Plimo"
fi
exec "$BUILD/bin/plimo-conj" "$VERB"
