#!/bin/sh
# The spelling check of the database: every word of every form the module
# produces is looked up in Debian's French dictionary. Words the dictionary
# lacks but that are correct French are explained in
# language/data/hunspell-exceptions.txt, one by one or for a whole verb
# ("verb:impartir ..."). Prints the rejected words and their count; fails
# when any is left unexplained.
#
#   check-forms.sh FRENCH_FORMS_PROGRAM EXCEPTIONS_FILE
set -eu
forms="$1"
exceptions="$2"
work="${TMPDIR:-/tmp}/plimo-check-forms.$$"
trap 'rm -f "$work".*' EXIT

# The check proves nothing unless the dictionary works: a made-up word must
# be rejected and a real form accepted, or the check fails.
command -v hunspell >/dev/null || { echo "hunspell is not installed"; exit 1; }
control=$(printf 'parlerait\nparlassionsqz\n' | hunspell -d fr -i UTF-8 -l) ||
    { echo "hunspell failed with the French dictionary (hunspell-fr-classical)"; exit 1; }
[ "$control" = parlassionsqz ] ||
    { echo "the French dictionary does not tell a word from a made-up one (it rejected: $control)"; exit 1; }

"$forms" --words-by-verb > "$work.pairs"
cut -f1 "$work.pairs" | sort -u > "$work.words"
hunspell -d fr -i UTF-8 -l < "$work.words" > "$work.rejected.all" ||
    { echo "hunspell failed on the forms"; exit 1; }
sort -u "$work.rejected.all" > "$work.rejected"
sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$exceptions" | awk '{print $1}' > "$work.explained"

# A rejected word is explained when it is listed itself, or when every verb
# that produces it is listed as "verb:INFINITIVE".
awk -F '\t' -v rejected="$work.rejected" -v explained="$work.explained" '
    BEGIN {
        while ((getline line < rejected) > 0) bad[line] = 1
        while ((getline line < explained) > 0) {
            if (line ~ /^verb:/) okVerb[substr(line, 6)] = 1; else okWord[line] = 1
        }
    }
    ($1 in bad) && !($1 in okWord) && !($2 in okVerb) { print $1 "\t" $2 }
' "$work.pairs" | sort -u > "$work.unexplained"

total=$(wc -l < "$work.words")
rejected=$(wc -l < "$work.rejected")
unexplained=$(cut -f1 "$work.unexplained" | sort -u | wc -l)
echo "words checked: $total; rejected by the dictionary: $rejected (explained in $(basename "$exceptions")); unexplained: $unexplained"
if [ "$unexplained" -gt 0 ]; then
    echo "unexplained rejected words (word, verb):"
    sed 's/^/  /' "$work.unexplained"
    exit 1
fi
