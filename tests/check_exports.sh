#!/usr/bin/env bash
# Lists the symbols that the shared library (an ELF library, or a DLL read with the objdump
# that $OBJDUMP names) exports and fails on any that lies outside its interface. The C++
# runtime's own template instantiations (names in std:: or __gnu_cxx::, and their local
# statics, recognised by their mangled form) are allowed. With a module-definition file as
# second argument, the C names exported must be exactly the ones it lists.
set -euo pipefail
library=$1
definitions=${2:-}
interface='XcsXmlNode|XcsXmlNodeList|XcsXmlDocument|XcsXmlDOMDocument|XmlDocumentFactory|XmlDOMDocument<XcsXmlDOMDocument, XcsXmlNode, XcsXmlDocument>|XcsErrorReporter|XcsXmlNodeIterator|XcsXmlFilter|XmlFunction|StringTokenizer'
allowed="^($interface)::|^(vtable|typeinfo|typeinfo name) for ($interface)\$|^runtest\$|^(fullWidthHyphenMinusName|fullWidthTildeName)\$|^tovalin_[a-z0-9_]+\$|^(_init|_fini|_edata|_end|__bss_start)\$|^__odr_asan\."
runtime='^_Z(N|NK)?(St|9__gnu_cxx)|^_ZT[VIS]N?(St|9__gnu_cxx)|^_ZGVZN?St|^_ZZN?St'
if [[ $library == *.dll ]]; then
    mangled=$(LC_ALL=C "${OBJDUMP:-objdump}" -p "$library" |
        sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p')
else
    mangled=$(LC_ALL=C nm -D --defined-only "$library" | awk '{ print $3 }')
fi
[ -n "$mangled" ] || { echo "no exported symbols found in $library"; exit 1; }
symbols=$(printf '%s\n' "$mangled" | grep -v -E "$runtime" | c++filt)
leaks=$(printf '%s\n' "$symbols" | grep -v -E "$allowed" || true)
if [ -n "$leaks" ]; then
    echo "symbols outside the interface:"
    printf '%s\n' "$leaks"
    exit 1
fi
if [ -n "$definitions" ]; then
    listed=$(sed -n '/^EXPORTS/,$p' "$definitions" | awk 'NR > 1 && $1 !~ /^;/ { print $1 }' | sort)
    exported=$(printf '%s\n' "$mangled" | grep '^tovalin_' | sort)
    if [ "$listed" != "$exported" ]; then
        echo "the C names exported differ from $definitions (< listed only, > exported only):"
        diff <(printf '%s\n' "$listed") <(printf '%s\n' "$exported") | grep '^[<>]'
        exit 1
    fi
fi
echo "$(printf '%s\n' "$mangled" | wc -l) exported symbols, all within the interface"
