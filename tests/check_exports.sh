#!/usr/bin/env bash
# Lists the dynamic symbols that the shared library defines and fails on any that lies
# outside its interface. The C++ runtime's own template instantiations are allowed.
set -euo pipefail
library=$1
allowed='^(XcsXmlNode|XcsXmlNodeList|XcsXmlDocument|XcsXmlDOMDocument|XmlDocumentFactory|XmlDOMDocument<XcsXmlDOMDocument, XcsXmlNode, XcsXmlDocument>|XcsErrorReporter|XcsXmlNodeIterator|XcsXmlFilter|XmlFunction|StringTokenizer)::|^(vtable|typeinfo|typeinfo name) for (XcsXmlNode|XcsXmlNodeList|XcsXmlDocument|XcsXmlDOMDocument|XmlDocumentFactory|XmlDOMDocument<XcsXmlDOMDocument, XcsXmlNode, XcsXmlDocument>|XcsErrorReporter|XcsXmlNodeIterator|XcsXmlFilter|XmlFunction|StringTokenizer)$|^runtest$|^(fullWidthHyphenMinusName|fullWidthTildeName)$|^([^(]* )?std::|^(vtable|typeinfo|typeinfo name|VTT|construction vtable) for std::|^(_init|_fini|_edata|_end|__bss_start)$|^__odr_asan\.'
symbols=$(nm -D --defined-only "$library" | awk '{ $1 = ""; $2 = ""; sub(/^  /, ""); print }' | c++filt)
leaks=$(printf '%s\n' "$symbols" | grep -v -E "$allowed" || true)
if [ -n "$leaks" ]; then
    echo "symbols outside the interface:"
    printf '%s\n' "$leaks"
    exit 1
fi
echo "$(printf '%s\n' "$symbols" | wc -l) exported symbols, all within the interface"
