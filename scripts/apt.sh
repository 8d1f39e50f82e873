# Package installs for the set-up scripts (sourced). apt-get waits while another package
# manager holds its locks instead of failing, and a failure shows apt's own error.
# apt and dpkg speak the C locale here: the scripts read their words, which a translation
# would change (under ja_JP apt says 依存: where it says Depends:).

# apt-get with the arguments, retried while another process holds apt's or dpkg's lock.
apt_get() {
    local log attempt
    log=$(mktemp)
    for attempt in $(seq 1 90); do
        if LC_ALL=C DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 "$@" >"$log" 2>&1; then
            rm -f "$log"
            return 0
        fi
        grep -q -E 'Could not get lock|Unable to (lock|acquire)' "$log" || break
        [ "$attempt" = 1 ] && echo "set-up: another package manager is at work; waiting for it"
        sleep 10
    done
    echo "set-up: apt-get $* failed:" >&2
    cat "$log" >&2
    rm -f "$log"
    return 1
}

# Installs the packages that are not installed yet; extra apt-get options may come first,
# separated from the packages by "--".
apt_install_missing() {
    local options=() missing=() package
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
    [ "${1:-}" = "--" ] && shift
    for package in "$@"; do
        LC_ALL=C dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "set-up: installing ${missing[*]}"
    apt_get update -qq && apt_get install -y -qq --no-install-recommends "${options[@]}" "${missing[@]}"
}
