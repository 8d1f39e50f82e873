#!/usr/bin/env bash
# Lists the symbols that the shared library (an ELF library, or a DLL read with the objdump
# that $OBJDUMP names) exports and fails on any that lies outside its interface. The C++ runtime's own template instantiations (names in std:: or
# __gnu_cxx::, recognised by their mangled form) are allowed.
set -euo pipefail
library=$1
interface='XcsXmlNode|XcsXmlNodeList|XcsXmlDocument|XcsXmlDOMDocument|XmlDocumentFactory|XmlDOMDocument<XcsXmlDOMDocument, XcsXmlNode, XcsXmlDocument>|XcsErrorReporter|XcsXmlNodeIterator|XcsXmlFilter|XmlFunction|StringTokenizer'
allowed="^($interface)::|^(vtable|typeinfo|typeinfo name) for ($interface)\$|^runtest\$|^(fullWidthHyphenMinusName|fullWidthTildeName)\$|^(_init|_fini|_edata|_end|__bss_start)\$|^__odr_asan\."
runtime='^_Z(N|NK)?(St|9__gnu_cxx)|^_ZT[VIS]N?(St|9__gnu_cxx)|^_ZGVZN?St'
if [[ $library == *.dll ]]; then
    mangled=$(LC_ALL=C "${OBJDUMP:-objdump}" -p "$library" |
        sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p')
else
    mangled=$(nm -D --defined-only "$library" | awk '{ print $3 }')
fi
[ -n "$mangled" ] || { echo "no exported symbols found in $library"; exit 1; }
symbols=$(printf '%s\n' "$mangled" | grep -v -E "$runtime" | c++filt)
leaks=$(printf '%s\n' "$symbols" | grep -v -E "$allowed" || true)
if [ -n "$leaks" ]; then
    echo "symbols outside the interface:"
    printf '%s\n' "$leaks"
    exit 1
fi
echo "$(printf '%s\n' "$mangled" | wc -l) exported symbols, all within the interface"
