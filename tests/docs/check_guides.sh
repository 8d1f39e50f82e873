#!/usr/bin/env bash
# The English README and the Japanese guide must name the same scripts, program commands
# and options, so that neither falls behind when the program or the set-up changes.
set -euo pipefail
root=${1:-$(dirname "$0")/../..}

names() {
    grep -o -E -- '--[a-z][a-z0-9_-]*|bash [a-z/._-]+\.sh|tovalin (check|get|set|convert|tsv)\b' \
        "$1" | sort -u
}

if ! diff <(names "$root/README.md") <(names "$root/README.ja.md"); then
    echo "README.md (<) and README.ja.md (>) name different commands or options" >&2
    exit 1
fi
