#!/usr/bin/env bash
# Runs the 32-bit Windows suite (build/windows-i686) under 32-bit Wine on a machine that
# cannot execute 32-bit code itself: inside an emulated x86-64 machine (qemu, software
# emulation) with Debian's 64-bit kernel and a 32-bit Debian userland holding wine32.
# The userland and the kernel are made once and kept under /opt, keyed by release.
# With a Windows archive (tovalin-VERSION-win32.zip) as argument, the machine also runs the
# program from that archive, unpacked into an empty folder, on the bundled example.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/windows/setup.sh --emulated-32-bit
source scripts/apt.sh
guest=/opt/tovalin-wine32-guest-bookworm
root=$guest/root

# Registers qemu's i386 user-mode emulator for 32-bit programs, for the one command given.
with_i386_emulator() {
    local registry=/proc/sys/fs/binfmt_misc registered=no
    mountpoint -q $registry || mount -t binfmt_misc binfmt_misc $registry
    if [ ! -e $registry/qemu-i386 ]; then
        printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' >$registry/register
        registered=yes
    fi
    local status=0
    "$@" || status=$?
    [ $registered = yes ] && echo -1 >$registry/qemu-i386
    return $status
}

make_userland() {
    echo "== making the 32-bit userland with wine32 in $root (once)"
    rm -rf "$guest" && mkdir -p "$guest"
    debootstrap --foreign --arch=i386 --variant=minbase --include=wine32,wine,locales,kmod \
        bookworm "$root" http://deb.debian.org/debian >"$guest/debootstrap.log" 2>&1 ||
        { tail -20 "$guest/debootstrap.log"; exit 1; }
    with_i386_emulator chroot "$root" /debootstrap/debootstrap --second-stage \
        >>"$guest/debootstrap.log" 2>&1 || { tail -20 "$guest/debootstrap.log"; exit 1; }
    with_i386_emulator chroot "$root" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}

# Debian's 64-bit kernel runs 32-bit programs; its disk and ext4 drivers are modules.
make_kernel() {
    echo "== fetching the kernel for the test machine"
    local package work
    # The package's own dependencies, in apt's untranslated words; all of the list is read:
    # an early exit would fail the pipeline under pipefail.
    local depends
    depends=$(LC_ALL=C apt-cache depends --no-pre-depends --no-recommends --no-suggests \
        --no-conflicts --no-breaks --no-replaces --no-enhances linux-image-amd64)
    package=$(awk '$1 == "Depends:" && $2 ~ /^linux-image-[0-9]/ && !found { print $2; found = 1 }' \
        <<<"$depends")
    if [ -z "$package" ]; then
        echo "set-up: looked for the kernel package (linux-image-<version>) that linux-image-amd64" \
            "depends on, and apt-cache gave:" >&2
        echo "$depends" >&2
        exit 1
    fi
    work=$(mktemp -d)
    (cd "$work" && apt_get download -qq "$package")
    LC_ALL=C dpkg-deb --fsys-tarfile "$work"/*.deb | tar -x -C "$work" --wildcards './boot/vmlinuz-*' \
        './lib/modules/*/kernel/drivers/virtio/*' './lib/modules/*/kernel/drivers/block/virtio_blk.ko' \
        './lib/modules/*/kernel/lib/crc16.ko' './lib/modules/*/kernel/fs/mbcache.ko' \
        './lib/modules/*/kernel/fs/jbd2/*' './lib/modules/*/kernel/crypto/crc32c_generic.ko' \
        './lib/modules/*/kernel/fs/ext4/*'
    mkdir -p "$guest/kernel"
    cp "$work"/boot/vmlinuz-* "$guest/kernel/vmlinuz"
    cp -a "$work"/lib/modules/*/kernel "$guest/kernel/modules"
    rm -rf "$work"
}

[ -f "$root/usr/lib/wine/wine" ] && [ -f "$root/usr/lib/locale/locale-archive" ] || make_userland
[ -f "$guest/kernel/vmlinuz" ] || make_kernel

echo "== windows-i686 tests under 32-bit Wine in an emulated machine"
run=$(mktemp -d)
trap 'rm -rf "$run"' EXIT
rm -rf "$root/tovalin" && mkdir -p "$root/tovalin/modules"
cp -a build/windows-i686/bin "$root/tovalin/bin"
cp -a "$guest/kernel/modules" "$root/tovalin/modules/kernel"
install -m 755 scripts/windows/guest/run.sh "$root/tovalin/run.sh"
install -m 755 tests/c_interface/run_msvc_program.sh "$root/tovalin/run_msvc_program.sh"
cp -r examples/data "$root/tovalin/data"
if [ -n "${1:-}" ]; then
    unzip -q "$1" -d "$root/tovalin/archive"
fi
(cd "$root" && find . -path ./var/cache/apt/archives -prune -o -print |
    cpio -o -H newc --quiet >"$run/root.cpio")
rm -rf "$root/tovalin"
mkfs.ext4 -q -F "$run/work.img" 2G
console=build/windows-i686/wine32-console.log
timeout 1800 qemu-system-x86_64 -accel tcg,thread=multi -smp "$(nproc)" -m 6144 -nographic \
    -no-reboot -kernel "$guest/kernel/vmlinuz" -initrd "$run/root.cpio" \
    -append "rdinit=/tovalin/run.sh console=ttyS0 quiet" \
    -drive "file=$run/work.img,if=virtio,format=raw" </dev/null |
    sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g; s/\r//g' >"$console" || true
grep -a -E '^\[  (PASSED|FAILED)  \]|^== guest' "$console" || true
guest_failed=no
for run in tests attach over-c\ tests c99 msvc; do
    grep -q "^== guest: $run exit 0\$" "$console" || guest_failed=yes
done
if [ $guest_failed = yes ] ||
    { [ -n "${1:-}" ] && ! grep -q '^== guest: archive exit 0$' "$console"; }; then
    echo "the 32-bit suite failed; the machine's console ends with:"
    tail -40 "$console"
    exit 1
fi
