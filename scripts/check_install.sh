#!/bin/sh
# Uses a built tree as its users would: installs it into a scratch prefix, runs the installed
# programs from another directory with an empty environment, builds a small program against
# the installed library through pkg-config and through find_package(HYX), checks the manual
# pages, and builds the Debian package (as root also installs it, draws a section with it and
# removes it again).
#
#   sh scripts/check_install.sh [build-dir]      (default: build, an already built tree)
set -e
cd "$(dirname "$0")/.."
src=$(pwd)
build=$(cd "${1:-build}" && pwd)
tmp=$(mktemp -d /tmp/hyxinstall.XXXXXX)
tmp=$(cd "$tmp" && pwd -P)
deb_installed=""
cleanup() {
    if [ -n "$deb_installed" ]; then
        DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq vsect >/dev/null 2>&1 ||
            dpkg --purge vsect >/dev/null 2>&1 || true
    fi
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
fail() {
    echo "check_install: $*" >&2
    exit 1
}
step() { echo "check_install: $*"; }

line=KGJT,KDNR,KLBF,KOAX,KDVN
# A section of the sample soundings to PostScript with the given vsect, run in directory $1
# with an empty environment; the log shows which database the program took.
draw() {
    dir=$1
    shift
    mkdir -p "$dir"
    (cd "$dir" && env -i "$@" -me +debug1 -id $line -va isentropes -de p,xs.ps,color \
        >run.log 2>run.err) || fail "$* failed: $(cat "$dir/run.err")"
    head -c 4 "$dir/xs.ps" | grep -q '^%!PS' || fail "$1 wrote no PostScript"
    [ "$(wc -c <"$dir/xs.ps")" -gt 50000 ] || fail "$1 drew an empty section"
    [ ! -s "$dir/run.err" ] || fail "$1 complained: $(cat "$dir/run.err")"
}
database() {
    sed -n 's/^vsect: database //p' "$1/run.log"
}

# Manual pages: a broken macro or an unknown escape fails.
for page in docs/vsect.1 docs/upaconv.1; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
done

step "installing into a scratch prefix"
prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/vsect bin/upaconv include/HYX/Hyx.h share/hyx/vsect.var share/man/man1/vsect.1 \
    share/man/man1/upaconv.1; do
    [ -e "$prefix/$f" ] || fail "$f is not installed"
done
pcdir=$(dirname "$(find "$prefix" -name libhyx.pc)")
[ -d "$pcdir" ] || fail "libhyx.pc is not installed"

step "running the installed vsect from another directory, environment empty"
version=$(env -i "$prefix/bin/vsect" --version)
pcversion=$(PKG_CONFIG_PATH=$pcdir pkg-config --modversion libhyx)
case "$version" in
"vsect $pcversion-"*) ;;
*) fail "vsect --version says '$version', the library is $pcversion" ;;
esac
draw "$tmp/run" "$prefix/bin/vsect" "$src/data/1999050400_upa.cvt"
[ "$(database "$tmp/run")" = "$prefix/share/hyx" ] ||
    fail "the installed vsect took the database $(database "$tmp/run")"
# The tree still works after it has been moved, and -fp still chooses the database.
mv "$prefix" "$tmp/moved"
draw "$tmp/run-moved" "$tmp/moved/bin/vsect" "$src/data/1999050400_upa.cvt"
[ "$(database "$tmp/run-moved")" = "$tmp/moved/share/hyx" ] ||
    fail "the moved vsect took the database $(database "$tmp/run-moved")"
draw "$tmp/run-fp" "$tmp/moved/bin/vsect" -fp "$src/share/hyx" "$src/data/1999050400_upa.cvt"
[ -z "$(database "$tmp/run-fp")" ] || fail "-fp did not replace the installed database"
mv "$tmp/moved" "$prefix"
printf 'DATE 1999050400\nSTATION KDNR 72469 39.77 -104.87 1611\n840 1611 20 5 180 10 S\n500 5800 -10 -20 250 40\n' |
    (cd "$tmp/run" && env -i "$prefix/bin/upaconv" -o one.upa - >/dev/null) ||
    fail "the installed upaconv failed"
head -c 6 "$tmp/run/one.upa" | grep -q '^HYXUPA' || fail "upaconv wrote no upper-air file"

step "building against the installed library"
mkdir -p "$tmp/use"
cat >"$tmp/use/use.cpp" <<'EOF'
// Splits a station list with the library and prints what it found.
#include "HYX/Strings.h"

#include <cstdio>

int main() {
    const HYX::Strings ids("KGJT,KDNR,KOAX", ',');
    std::printf("%d %s\n", ids.getNum(), ids.getString(2));
    return ids.getNum() == 3 ? 0 : 1;
}
EOF
libdir=$(PKG_CONFIG_PATH=$pcdir pkg-config --variable=libdir libhyx)
# shellcheck disable=SC2046
c++ -std=c++17 -o "$tmp/use/use-pc" "$tmp/use/use.cpp" \
    $(PKG_CONFIG_PATH=$pcdir pkg-config --cflags --libs libhyx) -Wl,-rpath,"$libdir"
[ "$(env -i "$tmp/use/use-pc")" = "3 KOAX" ] || fail "the pkg-config build does not run"
cat >"$tmp/use/CMakeLists.txt" <<EOF
cmake_minimum_required(VERSION 3.16)
project(use CXX)
find_package(HYX $pcversion REQUIRED)
add_executable(use use.cpp)
target_link_libraries(use PRIVATE HYX::hyx)
EOF
cmake -S "$tmp/use" -B "$tmp/use/build" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$tmp/use/build" >/dev/null
[ "$(env -i "$tmp/use/build/use")" = "3 KOAX" ] || fail "the find_package build does not run"

step "building the Debian package"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/deb" >/dev/null
deb=$(ls "$tmp"/deb/vsect_*.deb)
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
depends=$(dpkg-deb --field "$deb" Depends)
for lib in libx11-6 libpng16-16 zlib1g libeccodes0 libstdc++6 libc6; do
    echo "$depends" | grep -q "$lib" || fail "the package does not depend on $lib"
done

if [ "$(id -u)" -eq 0 ] && [ "${HYX_INSTALL_DEB:-1}" != 0 ]; then
    if dpkg-query -W -f='${Status}' vsect 2>/dev/null | grep -q "install ok installed"; then
        step "vsect is already installed from a package here: not installing the new one"
    else
        step "installing the Debian package"
        deb_installed=yes
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" \
            >/dev/null
        draw "$tmp/run-deb" /usr/bin/vsect -dp /usr/share/doc/vsect/examples '#1999050400'
        [ "$(database "$tmp/run-deb")" = /usr/share/hyx ] ||
            fail "the packaged vsect took the database $(database "$tmp/run-deb")"
        # (Minimal images may keep dpkg from unpacking manual pages at all.)
        if ! grep -qs '^path-exclude.*/usr/share/man' /etc/dpkg/dpkg.cfg.d/*; then
            man -w vsect >/dev/null && man -w upaconv >/dev/null ||
                fail "man does not find the pages"
        fi
        DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq vsect >/dev/null
        deb_installed=""
        [ ! -e /usr/bin/vsect ] || fail "removing the package left /usr/bin/vsect"
    fi
fi
step "passed"
