#!/usr/bin/env bash
# Fails unless every symbol the program takes from the library (an ELF library, or a DLL
# whose program is read with the objdump that $OBJDUMP names) is a C name of the C interface.
set -euo pipefail
program=$1
library=$2
if [[ $program == *.exe ]]; then
    imported=$(LC_ALL=C "${OBJDUMP:-objdump}" -p "$program" |
        sed -n "/DLL Name: $(basename "$library")/,/^\$/p" | awk 'NR > 2 && NF { print $NF }')
else
    imported=$(comm -12 <(LC_ALL=C nm -D --undefined-only "$program" | awk '{ print $2 }' | sed 's/@.*//' | sort -u) \
        <(LC_ALL=C nm -D --defined-only "$library" | awk '{ print $3 }' | sort -u) |
        grep -v -E '^_Z(N|NK)?(St|9__gnu_cxx)|^_ZT[VIS]N?(St|9__gnu_cxx)|^_ZGVZN?St|^_ZZN?St' || true)
fi
[ -n "$imported" ] || { echo "$program takes nothing from $library"; exit 1; }
others=$(printf '%s\n' "$imported" | grep -v -E '^tovalin_[a-z0-9_]+$' || true)
if [ -n "$others" ]; then
    echo "$program takes more than the C interface from $library:"
    printf '%s\n' "$others" | c++filt
    exit 1
fi
echo "$program takes $(printf '%s\n' "$imported" | wc -l) C functions from $library and nothing else"
