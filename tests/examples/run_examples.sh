#!/usr/bin/env bash
# Runs every example program on a copy of the bundled data and checks what it says.
# Usage: run_examples.sh BUILD-FOLDER SOURCE-FOLDER
set -euo pipefail
examples=$1/examples source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$source"/examples/data/* "$work"
cd "$work"
export LC_ALL=ja_JP.UTF-8

# The texts of every element of the name, on one line.
tovalin_values() { iconv -f CP932 -t UTF-8 "$1" | sed -n "s|.*<$2>\(.*\)</$2>.*|\1|p" | xargs; }

expect() {
    local wanted=$1 output
    shift
    output=$("$@" 2>&1) || true
    grep -qF -- "$wanted" <<<"$output" || { echo "$*: wanted '$wanted', got:"; echo "$output"; exit 1; }
}

expect "settings.xml: valid; its root element is settings" "$examples/load_and_check" settings.xml
expect "broken.xml:3:11: missing required attribute" "$examples/load_and_check" broken.xml
expect "saved: office Osaka" "$examples/read_and_change_values" settings.xml
expect "settings.xml: valid" "$examples/load_and_check" settings.xml
[ "$(tovalin_values settings.xml step)" = "plan build ship" ]
expect "emoji in Shift_JIS: refused, file unchanged" "$examples/save_with_backup" "$work"
[ "$(iconv -f CP932 -t UTF-8 note-sjis.xml | tr -d '\r' | tail -1)" = "<note>draft</note>" ]
expect "row 2, column 1: A-1" "$examples/read_tsv" table.tsv
expect "with id: B-2" "$examples/edit_document"
echo "every example ran"
