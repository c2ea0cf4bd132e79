#!/usr/bin/env bash
# End-to-end checks of the trawl command line: output and exit status of each case.
# Usage: trawl_cli_test.sh PATH_TO_TRAWL
set -u
trawl=$1
failures=0

# expect STATUS EXPECTED_STDOUT -- ARGS...   (EXPECTED_STDOUT "*" skips the output check)
expect() {
  local status=$1 wanted=$2
  shift 3
  local out rc
  out=$("$trawl" "$@" 2>/tmp/trawl_cli_err.$$)
  rc=$?
  if [[ $rc -ne $status || ( "$wanted" != "*" && "$out" != "$wanted" ) ]]; then
    echo "FAIL: trawl $* -> status $rc, output '$out' (wanted $status, '$wanted')"
    sed 's/^/  stderr: /' /tmp/trawl_cli_err.$$
    failures=$((failures + 1))
  fi
}

expect 0 1 -- match regex 'xkmn   ' 'kmn$'
expect 0 0 -- match regex xkmn '^kmn'
expect 0 1 -- match --nocase regex Q q
expect 0 0 -- match -i regex Q '[a-z]'
expect 0 1 -- match wild MAIN.VLW '*.VLW'
expect 0 0 -- match wild a 'a**'
expect 0 1 -- match sound Robert Rupert
expect 0 1 -- match simple 'abc  ' abc
expect 0 1 -- match --nocase 2 ABC abc
expect 0 0 -- match 4 a a
expect 0 0 -- match regex 'a{b' 'a{b'
expect 0 1 -- match regex -- -x '-x'
expect 0 '*' -- --help
expect 0 '*' -- match --help
expect 2 '' -- match regex onlytext
expect 2 '' -- match fuzzy a a
expect 2 '' -- match 16 a a
expect 2 '' -- match --bogus regex a a
expect 2 '' -- nosuchcommand
expect 2 '' --

rm -f /tmp/trawl_cli_err.$$
if [[ $failures -gt 0 ]]; then
  echo "$failures trawl command-line check(s) failed"
  exit 1
fi
echo "all trawl command-line checks passed"
