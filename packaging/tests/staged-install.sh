#!/bin/sh
# Installs the build into a staging folder (DESTDIR) as the package does,
# then runs the installed programs through their links in bin/: plimo-conj
# prints a page, and Plimo starts with the module of its own folder and is
# then ended.
#   staged-install.sh BUILD-FOLDER STAGE-FOLDER PROGRAM-FOLDER
set -eu
build=$1
stage=$2
programs=$3
fail() { echo "staged-install: $*" >&2; exit 1; }

rm -rf "$stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
stage=$(cd "$stage" && pwd -P)
bin="$stage/usr/bin"
lib="$stage/usr/$programs"
for program in Plimo plimo-conj; do
    [ -L "$bin/$program" ] || fail "bin/$program is not a link"
    case $(readlink "$bin/$program") in
        /*) fail "bin/$program links to an absolute path" ;;
    esac
    [ "$(readlink -f "$bin/$program")" = "$lib/$program" ] || fail "bin/$program does not lead to $lib/$program"
done
[ -f "$lib/French.ldl" ] || fail "French.ldl is not beside the programs"

work=$(mktemp -d)
pid=""
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi; rm -rf "$work"' EXIT
cd "$work"
export HOME="$work" XDG_CONFIG_HOME="$work/config"

page=$("$bin/plimo-conj" placer) || fail "plimo-conj placer failed"
expected=$(printf 'placer\n\nPr\303\251sent\nje place\ntu places')
case $page in
    "$expected"*) ;;
    *) fail "plimo-conj placer printed: $(echo "$page" | head -5)" ;;
esac

# Plimo: it must load French.ldl from its installed folder and keep running
# (a module not found ends it, after a message). Waits up to a minute for the
# module to appear in the process's memory map.
"$bin/Plimo" >"$work/plimo.log" 2>&1 &
pid=$!
tries=0
while ! grep -q " $lib/French.ldl\$" "/proc/$pid/maps" 2>/dev/null; do
    kill -0 "$pid" 2>/dev/null || { cat "$work/plimo.log" >&2; pid=""; fail "Plimo ended at its start"; }
    tries=$((tries + 1))
    [ $tries -lt 600 ] || { cat "$work/plimo.log" >&2; fail "Plimo did not load $lib/French.ldl"; }
    sleep 0.1
done
[ "$(readlink "/proc/$pid/exe")" = "$lib/Plimo" ] || fail "the process is not the installed Plimo"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""
[ ! -e "$work/French.txt" ] || fail "Plimo made a definitions file in the folder it started from"

# The menu entry's command, from the home folder: Plimo runs in the data
# folder it makes, and leaves nothing in the home folder.
exec_line=$(sed -n 's/^Exec=//p' "$stage/usr/share/applications/"*.desktop)
home_before=$(ls -A "$work")
export XDG_DATA_HOME="$work/data"
# shellcheck disable=SC2086
PATH="$bin:$PATH" $exec_line >"$work/plimo.log" 2>&1 &
pid=$!
tries=0
while [ "$(readlink "/proc/$pid/cwd" 2>/dev/null)" != "$work/data/Plimo" ]; do
    kill -0 "$pid" 2>/dev/null || { cat "$work/plimo.log" >&2; pid=""; fail "'$exec_line' ended at its start"; }
    tries=$((tries + 1))
    [ $tries -lt 600 ] || fail "'$exec_line' did not run in $work/data/Plimo"
    sleep 0.1
done
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""
[ "$(ls -A "$work" | grep -v '^data$')" = "$home_before" ] || fail "the menu's Plimo left files in the home folder: $(ls -A "$work")"
echo "staged-install: $bin/plimo-conj and $bin/Plimo run with $lib/French.ldl"
