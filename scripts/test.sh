#!/bin/sh
# Builds Plimo and runs every test: the main build with all unit and program
# tests, all of them again under AddressSanitizer and
# UndefinedBehaviorSanitizer (the program's windows too), and a short run of
# every fuzz target.
set -eu
cd "$(dirname "$0")/.."
JOBS=$(nproc)
FUZZ_SECONDS=${FUZZ_SECONDS:-15}
export QT_QPA_PLATFORM=offscreen

step() { printf '\n== %s\n' "$*"; }
passed=0
failed=0
count() {  # count LOGFILE: adds the ctest totals of one run
    p=$(sed -n 's/.* tests passed, \([0-9]*\) tests failed out of \([0-9]*\)/\2 \1/p' "$1" | tail -1)
    [ -n "$p" ] || return 0
    total=${p% *}; bad=${p#* }
    passed=$((passed + total - bad)); failed=$((failed + bad))
}

step "Format"
# Every C and C++ file as .clang-format lays it out.
if find app language platform tests bench \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print0 |
    xargs -0 -r clang-format --dry-run --Werror; then
    echo "every file is formatted"
else
    echo "format: run clang-format -i on the files above"
    failed=$((failed + 1))
fi

step "Build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLIMO_WERROR=ON >/dev/null
cmake --build build -j "$JOBS"

step "Tests"
status=0
(cd build && ctest --output-on-failure -j "$JOBS") | tee build/ctest.log || status=1
count build/ctest.log

step "Sanitizers (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DPLIMO_WITHOUT_GUI=OFF -DPLIMO_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$JOBS"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions="$PWD/../tests/lsan-suppressions.txt":print_suppressions=0 \
    ctest --output-on-failure -j "$JOBS") | tee build-asan/ctest.log || status=1
count build-asan/ctest.log

step "Fuzzing, ${FUZZ_SECONDS} s a target"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLIMO_WITHOUT_GUI=ON \
    -DPLIMO_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$JOBS"
for target in build-fuzz/bin/fuzz-*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="build-fuzz/corpus/$name"
    mkdir -p "$corpus"
    if "$target" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=4096 -print_final_stats=0 \
        "$corpus" > "build-fuzz/$name.log" 2>&1; then
        echo "$name: no crash in ${FUZZ_SECONDS} s ($(grep -c . "$corpus"/* 2>/dev/null | wc -l) inputs in corpus)"
        passed=$((passed + 1))
    else
        tail -40 "build-fuzz/$name.log"
        echo "$name: FAILED"
        failed=$((failed + 1))
        status=1
    fi
done

# A pipeline's status is its last command's (tee's): the counts decide.
[ "$failed" -eq 0 ] || status=1
echo
echo "$passed passed, $failed failed"
exit $status
