#!/bin/sh
# The spelling check of the database: every word of every form the module
# produces is looked up in Debian's French dictionary. Words the dictionary
# lacks but that are correct French are listed, with the reason, in
# language/data/hunspell-exceptions.txt. Prints the rejected words and their
# count; fails when any is left unexplained.
#
#   check-forms.sh FRENCH_FORMS_PROGRAM EXCEPTIONS_FILE
set -eu
forms="$1"
exceptions="$2"
work="${TMPDIR:-/tmp}/plimo-check-forms.$$"
trap 'rm -f "$work".*' EXIT

"$forms" --words > "$work.words"
hunspell -d fr -i UTF-8 -l < "$work.words" | sort -u > "$work.rejected"
sed -e 's/#.*//' -e 's/[[:space:]]*$//' -e '/^$/d' "$exceptions" | awk '{print $1}' | sort -u > "$work.explained"
comm -23 "$work.rejected" "$work.explained" > "$work.unexplained"
comm -13 "$work.rejected" "$work.explained" > "$work.stale"

total=$(wc -l < "$work.words")
rejected=$(wc -l < "$work.rejected")
unexplained=$(wc -l < "$work.unexplained")
echo "words checked: $total; rejected by the dictionary: $rejected; unexplained: $unexplained"
if [ -s "$work.stale" ]; then
    echo "explained words the module no longer produces (remove them from the list):"
    sed 's/^/  /' "$work.stale"
fi
if [ "$unexplained" -gt 0 ]; then
    echo "unexplained rejected words:"
    sed 's/^/  /' "$work.unexplained"
    exit 1
fi
