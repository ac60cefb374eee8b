#!/bin/sh
# quillet-batch's command line: --help prints the usage on standard output and exits 0,
# --version prints the version, a wrong command line exits 2 with the usage on standard error.
# Usage: check-batch-cli.sh QUILLET_BATCH VERSION
bin=$1 version=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

for option in --help -h; do
    out=$("$bin" "$option" 2>/dev/null) || fail "$option exits with status $?"
    case $out in "usage: quillet-batch "*"SCRIPT"*) ;; *) fail "$option printed: $out" ;; esac
    echo "$out" | grep -q -- "--version" || fail "$option does not name --version"
done
for option in --version -v; do
    out=$("$bin" "$option" 2>/dev/null) || fail "$option exits with status $?"
    [ "$out" = "quillet-batch $version" ] || fail "$option printed: $out"
done
"$bin" >/dev/null 2>&1
[ $? -eq 2 ] || fail "no argument does not exit with status 2"
out=$("$bin" --bogus 2>/dev/null)
[ $? -eq 2 ] && [ -z "$out" ] || fail "an unknown option does not exit 2 quietly on stdout"
echo "quillet-batch command line: ok"
