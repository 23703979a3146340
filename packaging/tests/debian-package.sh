#!/bin/sh
# Builds the Debian package from the build folder and checks it: exactly the
# files a user needs, the version of the project, library dependencies from
# dpkg-shlibdeps, and a companion that runs once unpacked (stripped).
#   debian-package.sh BUILD-FOLDER OUTPUT-FOLDER VERSION
set -eu
build=$1
out=$2
version=$3
fail() { echo "debian-package: $*" >&2; exit 1; }

rm -rf "$out"
mkdir -p "$out"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$out"/plimo_"$version"_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no plimo_${version}_*.deb in $out"

# Every file and link of the package, and nothing else.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$out/files.txt"
{
    for path in bin/Plimo bin/plimo-conj lib/plimo/Plimo lib/plimo/plimo-conj lib/plimo/French.ldl \
        share/applications/org.example.plimo.desktop share/metainfo/org.example.plimo.metainfo.xml \
        share/man/man1/plimo-conj.1.gz share/bash-completion/completions/plimo-conj \
        share/doc/plimo/copyright; do
        echo "./usr/$path"
    done
    for size in 16 22 24 32 48 64 128 256; do
        echo "./usr/share/icons/hicolor/${size}x${size}/apps/org.example.plimo.png"
    done
} | sort >"$out/expected.txt"
diff -u "$out/expected.txt" "$out/files.txt" >&2 || fail "the package's files differ from the expected ones"
dpkg-deb -c "$deb" | grep ' ./usr/bin/Plimo -> ../lib/plimo/Plimo$' >/dev/null || fail "bin/Plimo is not a relative link"

[ "$(dpkg-deb -f "$deb" Package)" = plimo ] || fail "the package is not named plimo"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6widgets6 libqt6printsupport6; do
    echo "$depends" | grep -q "$library" || fail "Depends lacks $library: $depends"
done

root="$out/root"
dpkg-deb -x "$deb" "$root"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/org.example.plimo.metainfo.xml" ||
    fail "the AppStream release is not $version"
grep -q "<project_license>MPL-2.0</project_license>" "$root/usr/share/metainfo/org.example.plimo.metainfo.xml" ||
    fail "the AppStream data does not name the licence MPL-2.0"
[ "$(sed -n '/^Files: \*$/,/^$/s/^License: //p' "$root/usr/share/doc/plimo/copyright")" = MPL-2.0 ] ||
    fail "the package's copyright file does not put Plimo under MPL-2.0"
gzip -dc "$root/usr/share/man/man1/plimo-conj.1.gz" | grep "^\.TH PLIMO-CONJ 1 .*\"Plimo $version\"" >/dev/null ||
    fail "the manual page does not name Plimo $version"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && "$root/usr/bin/plimo-conj" --format tsv --tense participe-passe placer) >"$out/placer.tsv" ||
    fail "the packaged plimo-conj failed"
expected=$(printf 'infinitive\tpronominal\talternate\tvariant\ttense\tperson\tform\nplacer\t0\t0\t\tParticipe Pass\303\251\t\tplac\303\251, \303\251e\nplacer\t0\t0\t\tParticipe Pass\303\251\t\tayant plac\303\251')
[ "$(cat "$out/placer.tsv")" = "$expected" ] || { cat "$out/placer.tsv" >&2; fail "the packaged plimo-conj printed the above"; }
echo "debian-package: $(basename "$deb"), $(wc -l <"$out/files.txt") files"
