#!/usr/bin/env bash
# Builds the library and its program, then runs the program on the bundled examples in a
# scratch folder: the bundled files are never changed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh >/dev/null

cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" >/dev/null
tovalin="$PWD/build/default/tools/tovalin"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp examples/data/* "$work"
cd "$work"
export LC_ALL=ja_JP.UTF-8

if [ -t 1 ]; then bold=$'\033[1m' plain=$'\033[0m'; else bold='' plain=''; fi
step() { printf '\n%s$ %s%s\n' "$bold" "$*" "$plain"; }
run() { step "tovalin $*"; "$tovalin" "$@" || echo "(exit status $?)"; }

echo "Tovalin on the bundled examples (a UTF-8 terminal; the files are Shift_JIS and UTF-16)"
run check settings.xml
run get settings.xml period
run get catalog.xml item --all
run set settings.xml office 大阪支社 --output settings-osaka.xml
run get settings-osaka.xml office
step "iconv -f CP932 settings-osaka.xml   (its CR LF line ends shown as ⏎)"
iconv -f CP932 -t UTF-8 settings-osaka.xml | sed 's/\r$/⏎/' | head -6
run convert catalog.xml catalog-sjis.xml --encoding shift_jis --stylesheet catalog.xsl
step "iconv -f CP932 catalog-sjis.xml"
iconv -f CP932 -t UTF-8 catalog-sjis.xml | tr -d '\r'
run check broken.xml
step "LC_ALL=ja_JP.SJIS tovalin tsv table.tsv   (a Shift_JIS terminal, shown through iconv)"
LC_ALL=ja_JP.SJIS "$tovalin" tsv table.tsv | iconv -f CP932 -t UTF-8 | tr -d '\r'
step "LC_ALL=ja_JP.SJIS tovalin tsv table.tsv 3 2"
LC_ALL=ja_JP.SJIS "$tovalin" tsv table.tsv 3 2 | iconv -f CP932 -t UTF-8
