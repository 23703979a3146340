#!/bin/sh
# `make run`: starts the desktop program from the build folder. Until it is
# built, shows the conjugation of a sample verb with plimo-conj instead.
#   scripts/run.sh [BUILD-FOLDER] [VERB]
set -eu
BUILD=${1:-build}
VERB=${2:-placer}
cd "$(dirname "$0")/.."
if [ -x "$BUILD/bin/Plimo" ]; then
    exec "$BUILD/bin/Plimo"
fi
exec "$BUILD/bin/plimo-conj" "$VERB"
