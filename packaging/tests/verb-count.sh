#!/bin/sh
# The number of verbs the texts give ("some 6,800") is the module's own count
# rounded down to a hundred, and the README gives the same.
#   verb-count.sh PLIMO-CONJ README STATED
set -eu
conj=$1
readme=$2
stated=$3
fail() { echo "verb-count: $*" >&2; exit 1; }
count=$("$conj" --all --format json | wc -l)
rounded=$((count / 100 * 100))
[ "$(echo "$stated" | tr -d ',')" = "$rounded" ] ||
    fail "the texts say some $stated verbs; the module has $count (set PLIMO_VERB_COUNT in CMakeLists.txt)"
tr '\n' ' ' < "$readme" | grep -q "some $stated verbs" || fail "the README does not say \"some $stated verbs\""
echo "verb-count: $count verbs, \"some $stated\" everywhere"
