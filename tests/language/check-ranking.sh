#!/bin/sh
# The ranking list, frequent-verbs.txt: every name is the infinitive of a
# verb of verbs.txt (the module ignores any other, and a misspelt verb would
# drop out of the ranking unseen), no name comes twice (the module keeps the
# first place and ignores the second, so the list would rank fewer verbs than
# it seems to), and the list is long enough for the largest practice choice,
# the 1,000 verbs learners meet first.
#
#   check-ranking.sh DATA_DIR
set -eu
data="$1"
work="${TMPDIR:-/tmp}/plimo-check-ranking.$$"
trap 'rm -f "$work".*' EXIT
export LC_ALL=C

# The names as the module reads them: every line but comments and blank ones.
grep -v -e '^#' -e '^$' "$data/frequent-verbs.txt" > "$work.names" || true
grep -v '^#' "$data/verbs.txt" | cut -d' ' -f1 | sort -u > "$work.verbs"
grep -qx 'être' "$work.verbs" || { echo "no verbs read from $data/verbs.txt"; exit 1; }

status=0
unknown=$(sort -u "$work.names" | comm -23 - "$work.verbs")
if [ -n "$unknown" ]; then
    echo "not verbs of verbs.txt:"
    echo "$unknown" | sed 's/^/  /'
    status=1
fi
repeated=$(sort "$work.names" | uniq -d)
if [ -n "$repeated" ]; then
    echo "listed more than once:"
    echo "$repeated" | sed 's/^/  /'
    status=1
fi
count=$(wc -l < "$work.names")
if [ "$count" -lt 1000 ]; then
    echo "only $count verbs ranked: the practice offers the first 1,000"
    status=1
fi
[ "$status" -ne 0 ] || echo "frequent-verbs.txt: $count verbs, each once, all in verbs.txt"
exit "$status"
