#!/bin/sh
# The module shows nothing but its thirteen functions, the optional
# LookupForm and GetVerbRank, and its resource directory to the outside.
set -eu
expected="ConjugateVerb Find FreeSearchPtr GetEnglishDefinition GetLanguage GetLanguageVersion GetQuestion
GetTabName GetVerbRank LookupForm GetTenseName GetTenseName2 GetVerb GetVerbCount PlimoResourceDirectory SetSearchProgressHwnd"
actual=$(nm -D --defined-only "$1" | awk '{print $3}' | sort | tr '\n' ' ')
wanted=$(echo $expected | tr ' ' '\n' | sort | tr '\n' ' ')
if [ "$actual" != "$wanted" ]; then
    echo "exported: $actual"
    echo "expected: $wanted"
    exit 1
fi
echo "exports: $(echo $actual | wc -w) symbols, as expected"
