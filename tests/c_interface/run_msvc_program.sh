#!/bin/sh
# Runs the program built for Microsoft's ABI with the loader given (Wine) in a fresh folder:
# it loads in.xml, a Shift_JIS document, edits it and saves out.xml, which must hold exactly
# the expected bytes.
set -eu
loader=$1
program=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# <name>日本</name> in, <r id="種"> and <name>～①</name> out.
printf '<?xml version="1.0" encoding="Shift_JIS"?>\r\n<r>\r\n<name>\223\372\226\173</name>\r\n</r>\r\n' >in.xml
printf '<?xml version="1.0" encoding="Shift_JIS"?>\r\n<r id="\216\355">\r\n<name>\201\140\207\100</name>\r\n</r>\r\n' >expected.xml
"$loader" "$program"
cmp out.xml expected.xml
