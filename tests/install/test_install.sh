#!/bin/bash
# The installed suite, in two parts that each install into a temporary DESTDIR first.
# tree: checks the exact tree, the udev rule and desktop entries, installs again under another
#   prefix, starts the installed programs on the virtual pedal and watches them read their images
#   and languages from the installed folder.
# package: builds the Debian package, compares its contents with the tree and runs lintian on it.
#   test_install.sh tree|package <build folder> <program folder> <udev rules folder>
#                   <data folder> <bin folder>
set -u
part=$1 build=$2 prefix=$3 rules=$4 data=$5 bindir=$6
work=$(mktemp -d)
root=$work/root
pids=()
failures=0

cleanup() {
    for pid in "${pids[@]}"; do
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Waits up to $1 seconds for the command that follows to succeed.
wait_until() {
    local limit=$(($(date +%s) + $1))
    shift
    until "$@"; do
        [ "$(date +%s)" -lt "$limit" ] || return 1
        sleep 0.2
    done
}

# Files, links (with their target) and empty folders below $1, as absolute paths.
tree_of() {
    (cd "$1" && find . -mindepth 1 \( -type l -printf '/%P -> %l\n' \) -o \
        \( -type f -printf '/%P\n' \) -o \( -type d -empty -printf '/%P/\n' \)) | sort
}

expected_tree() {
    echo "$prefix/TALIX"
    echo "$prefix/TALIXUpdate"
    echo "$prefix/Firmware/"
    for file in Language.xml talix_en.qm talix_zh_CN.qm talix_de.qm talix_fr.qm talix_ja.qm; do
        echo "$prefix/Language/$file"
    done
    # The skins and cabinet pictures, as the build draws them into its program folder.
    (cd "$build/bin" && find image pic -type f ! -name '*.stamp') | sed "s|^|$prefix/|"
    echo "$rules/70-talix.rules"
    echo "$data/applications/talix.desktop"
    echo "$data/applications/talix-update.desktop"
    for side in $icon_sides; do
        echo "$data/icons/hicolor/${side}x$side/apps/talix.png"
        echo "$data/icons/hicolor/${side}x$side/apps/talix-update.png"
    done
    echo "$data/metainfo/talix.metainfo.xml"
    echo "$data/doc/talix/copyright"
    echo "$data/doc/talix/changelog.gz"
    echo "$data/man/man1/TALIX.1.gz"
    echo "$data/lintian/overrides/talix"
    echo "$bindir/TALIX -> $(link_target "$prefix")"
}

# The command's link into program folder $1: relative within one top-level folder, absolute
# across two (Debian policy 10.5).
link_target() {
    if [ "$(cut -d/ -f2 <<<"$1")" = "$(cut -d/ -f2 <<<"$bindir")" ]; then
        realpath -m --relative-to="$bindir" "$1/TALIX"
    else
        echo "$1/TALIX"
    fi
}
icon_sides="16 22 24 32 48 64 128 256"

# --- the Debian package --------------------------------------------------------------------------
check_package() {
    if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" \
        >"$work/cpack.log" 2>&1; then
        cat "$work/cpack.log"
        fail "cpack -G DEB"
        exit 1
    fi
    deb=$(ls "$work/package"/*.deb)
    # Everything in the package: path (links with their target), and owner; folders end in "/".
    dpkg-deb --contents "$deb" | awk '{ owner = $2; $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, "");
        print substr($0, 2) "\t" owner }' >"$work/contents"
    grep -v $'\troot/root$' "$work/contents" && fail "package entries not owned by root"
    cut -f1 "$work/contents" | grep -v '/$' | sort >"$work/packaged"
    grep -qx "$prefix/Firmware/" <(cut -f1 "$work/contents") &&
        echo "$prefix/Firmware/" >>"$work/packaged"
    sort -o "$work/packaged" "$work/packaged"
    diff -u "$work/installed" "$work/packaged" ||
        fail "the package holds another tree than the install"

    depends=$(dpkg-deb -f "$deb" Depends)
    for library in libc6 libqt5core5a libqt5gui5 libqt5widgets5 libqt5network5 libqt5xml5 \
        libusb-1.0-0; do
        [[ ",$depends" == *", $library "* || ",$depends" == *",$library "* ]] ||
            fail "the package does not depend on $library: $depends"
    done
    for script in postinst postrm; do
        dpkg-deb -I "$deb" "$script" | grep -q "udevadm control --reload-rules" ||
            fail "$script does not reload the udev rules"
    done

    recommends=$(dpkg-deb -f "$deb" Recommends)
    [[ ", $recommends," == *", fonts-noto-cjk,"* ]] ||
        fail "the package does not recommend the CJK fonts: $recommends"
    # Errors fail, and so does missing hardening in a hardened build (TALIX_HARDENED=ON; the
    # sanitizer builds are not); the notes README lists are printed.
    if command -v lintian >/dev/null; then
        lintian -I --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1
        cat "$work/lintian.log"
        grep -q '^E: ' "$work/lintian.log" && fail "lintian reports errors"
        [ "${TALIX_HARDENED:-OFF}" = ON ] && grep -q 'hardening-no-' "$work/lintian.log" &&
            fail "programs built without Debian's hardening flags"
    else
        fail "lintian is not installed (scripts/setup-packages installs it)"
    fi
}

finish() {
    [ "$failures" = 0 ] || { echo "$failures check(s) failed"; exit 1; }
    echo "$part checks passed"
    exit 0
}

# --- the installed tree -------------------------------------------------------------------------
if ! DESTDIR=$root cmake --install "$build" >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    fail "cmake --install"
    exit 1
fi
expected_tree | sort >"$work/expected"
tree_of "$root" >"$work/installed"
if [ "$part" = package ]; then
    check_package
    finish
fi
grep -qx "$prefix/image/light/common_bg.png" "$work/expected" ||
    fail "the build's program folder has no skins"
diff -u "$work/expected" "$work/installed" ||
    fail "the installed tree differs from the expected one"
[ -z "$(find "$root$prefix" -type f -perm -o+w)" ] || fail "world-writable files installed"

# Each icon is drawn at the size its folder names (PNG width and height, big-endian at byte 16).
for side in $icon_sides; do
    for name in talix talix-update; do
        png=$root$data/icons/hicolor/${side}x$side/apps/$name.png
        size=$(od -An -tu1 -j16 -N8 "$png" 2>/dev/null |
            awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }')
        [ "$size" = "${side}x$side" ] || fail "$name.png in ${side}x$side is $size"
    done
done

# --- udev rule and desktop entries ---------------------------------------------------------------
rule=$root$rules/70-talix.rules
if udevadm verify --help >/dev/null 2>&1; then
    udevadm verify --resolve-names=never "$rule" || fail "udevadm verify"
else
    echo "note: udevadm $(udevadm --version 2>/dev/null) has no verify; checking the rule's keys"
fi
# The seat's access control reads the uaccess tag in 73-seat-late.rules: the rule must come first.
[ "$(basename "$rule" | cut -d- -f1)" -lt 73 ] || fail "the rule sorts after 73-seat-late.rules"
lines=$(grep -v '^#' "$rule" | grep -c .)
[ "$lines" = 1 ] || fail "the rule file holds $lines rules"
grep -v '^#' "$rule" | grep -F 'SUBSYSTEM=="usb"' | grep -F 'ATTR{idVendor}=="0483"' |
    grep -F 'ATTR{idProduct}=="5703"' | grep -qF 'TAG+="uaccess"' ||
    fail "the rule does not give the seat the pedal 0483:5703"

# Checks the desktop entries below root $1 start the programs of folder $2 (Exec line $3, "@"
# standing for the program), and the command links to that folder's TALIX.
check_entries() {
    local entry desktop exec target
    for entry in talix:TALIX talix-update:TALIXUpdate; do
        desktop=$1$data/applications/${entry%%:*}.desktop
        exec=${3//@/${entry#*:}}
        desktop-file-validate "$desktop" || fail "desktop-file-validate ${entry%%:*}.desktop"
        grep -qxF "Exec=$exec" "$desktop" || fail "${entry%%:*}.desktop does not start $exec"
        grep -qx "Icon=${entry%%:*}" "$desktop" || fail "${entry%%:*}.desktop names another icon"
    done
    target=$(readlink "$1$bindir/TALIX")
    [[ $target == /* ]] || target=$bindir/$target
    [ "$(realpath -m "$1$target")" = "$(realpath "$1$2/TALIX")" ] ||
        fail "$bindir/TALIX links to $target, not to $2/TALIX"
}
check_entries "$root" "$prefix" "$prefix/@"

# Another program folder, whose path the Exec lines must quote: entries and link follow it.
other="$work/other place/talix"
if DESTDIR=$work/other cmake --install "$build" --prefix "$other" >"$work/install2.log" 2>&1; then
    check_entries "$work/other" "$other" "\"$other/@\""
else
    cat "$work/install2.log"
    fail "cmake --install --prefix"
fi

# --- the installed programs on the virtual pedal -------------------------------------------------
mkdir -p "$work/home" "$work/tmp"
export HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config
# A private runtime folder in the temporary folder keeps other instances of the programs apart.
export TMPDIR=$work/tmp QT_QPA_PLATFORM=offscreen
unset XDG_RUNTIME_DIR
preload=$build/lib/libtalix-virtualpedal.so

inotifywait -m -r -e open --format '%w%f' "$root$prefix" "$build/bin" \
    >"$work/opens" 2>"$work/inotify" &
pids+=($!)
wait_until 60 grep -q "Watches established" "$work/inotify" || fail "inotifywait did not start"

# Whether $1 of the program folder was opened since the mark (a byte offset into the log).
mark=0
opened() { tail -c +$((mark + 1)) "$work/opens" | grep -qxF "$root$prefix/$1"; }

LD_PRELOAD=$preload TALIX_VP_STATE=$work/running.state "$root$prefix/TALIX" \
    >"$work/editor.log" 2>&1 &
editor=$!
pids+=($editor)
if wait_until 120 grep -q -- "-------window------ shown" "$work/editor.log"; then
    for file in image/light/background.png image/light/logo.png image/light/btn_close.png \
        Language/Language.xml Language/talix_en.qm; do
        wait_until 30 opened "$file" || fail "the installed editor did not read $file"
    done
else
    cat "$work/editor.log"
    fail "the installed editor did not show its window"
fi
kill -KILL "$editor" 2>/dev/null

mark=$(stat -c %s "$work/opens")
LD_PRELOAD=$preload TALIX_VP_STATE=$work/bootloader.state TALIX_VP_RUN_MODE=B \
    "$root$prefix/TALIXUpdate" >"$work/updater.log" 2>&1 &
updater=$!
pids+=($updater)
for file in image/light/common_bg.png image/light/update_pro_bottom.png \
    image/light/update_pro_up.png Language/Language.xml Language/talix_en.qm; do
    wait_until 120 opened "$file" || fail "the installed updater did not read $file"
done
# In the boot loader the updater waits with its window for the user's start.
kill -0 "$updater" 2>/dev/null || { cat "$work/updater.log"; fail "the installed updater ended"; }
kill -KILL "$updater" 2>/dev/null

if grep -q "^$build/bin/" "$work/opens"; then
    grep "^$build/bin/" "$work/opens" | head
    fail "an installed program read the build's program folder"
fi

finish
