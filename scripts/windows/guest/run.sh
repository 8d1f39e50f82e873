#!/bin/sh
# The first process of the 32-bit test machine: starts Wine, runs the Windows suite that the
# host put in /tovalin/bin, prints the outcome on the console and powers the machine off.
export PATH=/usr/bin:/bin:/usr/sbin:/sbin
mount -t proc proc /proc
mountpoint -q /dev || mount -t devtmpfs devtmpfs /dev
mkdir -p /dev/shm /dev/pts && mount -t tmpfs tmpfs /dev/shm && mount -t devpts devpts /dev/pts
mountpoint -q /sys || mount -t sysfs sysfs /sys
mount -t tmpfs tmpfs /tmp
# Wine keeps the hidden attribute in extended attributes, which the RAM filesystem the
# machine starts on lacks: the Wine prefix, and with it the tests' temporary folder, go on
# the ext4 disk.
for module in drivers/virtio/virtio_ring drivers/virtio/virtio \
    drivers/virtio/virtio_pci_legacy_dev drivers/virtio/virtio_pci_modern_dev \
    drivers/virtio/virtio_pci drivers/block/virtio_blk lib/crc16 fs/mbcache fs/jbd2/jbd2 \
    crypto/crc32c_generic fs/ext4/ext4; do
    insmod "/tovalin/modules/kernel/$module.ko"
done
sleep 1
mkdir -p /work && mount -t ext4 /dev/vda /work

export HOME=/root LC_ALL=ja_JP.UTF-8 WINEDEBUG=-all WINEPREFIX=/work/wine WINEARCH=win32
export TOVALIN_EXAMPLE_DATA=/tovalin/data/
wine=/usr/lib/wine/wine
cd /tovalin/bin
echo "== guest: starting Wine"
$wine wineboot -i >/dev/null 2>&1
/usr/lib/wine/wineserver -w
/usr/lib/wine/wineserver -p
$wine cmd /c exit
echo "== guest: tests"
$wine tovalin_tests.exe --gtest_color=no
echo "== guest: tests exit $?"
$wine tovalin_attach_test.exe tovalin.dll
echo "== guest: attach exit $?"
$wine tovalin_over_c_tests.exe --gtest_color=no
echo "== guest: over-c tests exit $?"
(cd /work && $wine /tovalin/bin/tovalin_c99_program.exe)
echo "== guest: c99 exit $?"
sh /tovalin/run_msvc_program.sh $wine /tovalin/bin/tovalin_msvc_program.exe
echo "== guest: msvc exit $?"
if [ -d /tovalin/archive ]; then
    # The program as a user unpacks it: nothing on the path, only its own folder.
    echo "== guest: archive"
    mkdir -p /work/example && cp /tovalin/data/* /work/example/ && cd /work/example
    # Its report goes to a file: the machine's serial console takes no Japanese text.
    WINEPATH= $wine /tovalin/archive/*/bin/tovalin.exe check settings.xml >check.out
    echo "== guest: archive exit $?"
fi
/usr/lib/wine/wineserver -k
sync
echo o >/proc/sysrq-trigger
sleep 60
