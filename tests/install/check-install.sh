#!/usr/bin/env bash
# Takes the project as another project would: installs a build into a
# temporary prefix, builds a host in C outside the source tree against the
# installed CMake package (and once more through pkg-config; the example C
# host too), lets it register
# the installed component and take its class factory, then runs Shown through
# the installed configuration host with --screenshot, which finds the
# component through that registration, and unregisters; last, makes the Debian package and checks that it carries the
# same files and no script that would register anything on install.
#
# Usage: check-install.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

fail() {
    echo "check-install: $*" >&2
    exit 1
}

# What the prefix and the package must hold, relative to their roots.
installed=(bin/partition-settings lib/partition-settings/libVEL_PART_SET.so lib/partition-settings/libQRV_SERVER.so
    include/VEL_PART_SET.h include/QRV_SERVER.h include/VEL_COM.h
    lib/cmake/VEL_PART_SET/VEL_PART_SETConfig.cmake lib/pkgconfig/VEL_PART_SET.pc lib/pkgconfig/VEL_COM.pc)

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in "${installed[@]}"; do
    [ -e "$prefix/$file" ] || fail "the install has no $file"
done
# Every library of the component's own that the host and the component load
# comes from the prefix, none from the build tree.
for binary in "$prefix/bin/partition-settings" "$prefix/lib/partition-settings/libVEL_PART_SET.so" \
    "$prefix/lib/partition-settings/libQRV_SERVER.so"; do
    own=$(ldd "$binary" | grep -E 'libpartset_' || true)
    [ -n "$own" ] || fail "ldd shows none of the shared layers for $binary"
    while read -r name _ path _; do
        [ "$(realpath -m "$path")" = "$(realpath "$prefix")/lib/partition-settings/$name" ] ||
            fail "$binary loads $name from $path"
    done <<<"$own"
done

# The host's sources, copied out of the tree, built with CMake and with pkg-config.
cp -r "$here/outside_host" "$work/source"
cmake -S "$work/source" -B "$work/host" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/host" >/dev/null
export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
component=$(pkg-config --variable=component VEL_PART_SET)
[ "$(realpath "$component")" = "$(realpath "$prefix/lib/partition-settings/libVEL_PART_SET.so")" ] ||
    fail "pkg-config names $component as the component"
# shellcheck disable=SC2046 # pkg-config's flags are meant to split
cc -Wall -Wextra -Wpedantic -Werror -o "$work/host/outside_host_pc" "$work/source/outside_host.c" \
    -DVEL_PART_SET_LIBRARY="\"$component\"" $(pkg-config --cflags --libs VEL_PART_SET)
# The example C host, which creates the component through the runtime.
# shellcheck disable=SC2046
cc -std=c11 -Wall -Wextra -Wpedantic -Werror -o "$work/host/c_host" "$here/../../examples/c-host/c_host.c" \
    $(pkg-config --cflags --libs VEL_COM)

export VELANTIS_REGISTRY_FILE=$work/registry.json VELANTIS_COMMON_APPDATA=$work/data QT_QPA_PLATFORM=offscreen
mkdir -p "$work/data"
for outside_host in "$work/host/outside_host" "$work/host/outside_host_pc"; do
    output=$("$outside_host") || fail "$outside_host failed: $output"
    [ "$output" = $'registered\nfactory 1 0' ] || fail "$outside_host printed: $output"
done
grep -q -F "$prefix/lib/partition-settings/libVEL_PART_SET.so" "$VELANTIS_REGISTRY_FILE" ||
    fail "the registry does not name the installed library"

"$prefix/bin/partition-settings" --config 1 --partition 1 --screenshot "$work/shot.png" ||
    fail "the installed host did not show the dialog"
[ "$(head -c 8 "$work/shot.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
    fail "the screenshot is no PNG"
"$prefix/bin/partition-settings" --unregister
if "$prefix/bin/partition-settings" --screenshot "$work/again.png" 2>/dev/null; then
    fail "the host still found the component after --unregister"
fi
status=0
message=$("$work/host/c_host" 2>&1) || status=$?
[ "$status" -eq 2 ] && [[ "$message" == *"no Busyness_Rules object (0x800401f3)"* ]] ||
    fail "the C host without a registration answered $status: $message"

# The Debian package: the same files under /usr, and no maintainer script.
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null)
deb=$(ls "$work"/deb/*.deb)
contents=$(dpkg-deb --contents "$deb")
for file in "${installed[@]}"; do
    grep -q -F "./usr/$file" <<<"$contents" || fail "the package has no /usr/$file"
done
mkdir "$work/control"
dpkg-deb --control "$deb" "$work/control"
scripts=$(ls "$work/control" | grep -v -x -e control -e md5sums || true)
[ -z "$scripts" ] || fail "the package runs $scripts on install"
echo "check-install: installed, built outside, registered, shown and packaged"
