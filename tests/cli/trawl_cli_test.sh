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

# trawl search over a small tree
tree=$(mktemp -d)
printf 'x = kmn\r\nKMN y\r\nnone\r\n' >"$tree/a.txt"
mkdir -p "$tree/Sub"
printf 'first\r\n  call kmn(1)\r\n' >"$tree/Sub/b.vlw"
printf 'kmn\r\n' >"$tree/c.bak"

expect 0 $'a.txt:1::x = kmn\na.txt:2::KMN y\nc.bak:1::kmn' -- search -q kmn "$tree"
expect 0 'a.txt:1::x = kmn' -- search -q --case kmn "$tree" --spec '*.txt'
expect 0 $'a.txt:1::x = kmn\na.txt:2::KMN y\nSub/b.vlw:2:: call kmn(1)' -- search -q -r -f '*.*;~*.bak' kmn "$tree"
expect 0 $'a.txt:1::x = kmn\nSub/b.vlw:2:: call kmn(1)' -- search -q -r -1 -f '*.txt;*.vlw' kmn "$tree"
expect 0 'Sub/b.vlw:2:: call kmn(1)' -- search -q -r -X 'kmn\(' "$tree"
expect 0 "{\"path\":\"$tree/a.txt\",\"file\":\"a.txt\",\"subdir\":\"\",\"subdirnum\":1,\"line\":2,\"location\":\"\",\"text\":\"KMN y\",\"ptr\":10}" -- search -q --format json -f '*.txt' '^kmn' -X "$tree"
expect 1 '' -- search -q nothinglikethis "$tree"
expect 2 '' -- search '   ' "$tree"
expect 2 '' -- search kmn "$tree/missing"
expect 2 '' -- search --levels 300 kmn "$tree"
expect 2 '' -- search --label Nope kmn "$tree"
expect 2 '' -- search --format xml kmn "$tree"
expect 2 '' -- search -X 'a{b' "$tree"
expect 2 '' -- search
expect 0 '*' -- search --help

# The summary is the last line on stderr, unless -q.
summary=$("$trawl" search kmn "$tree" 2>&1 >/dev/null | tail -n 1)
if [[ "$summary" != "3 found in "*" seconds,  "*" bytes" ]]; then
  echo "FAIL: summary line '$summary'"
  failures=$((failures + 1))
fi
rm -rf "$tree"
rm -f /tmp/trawl_cli_err.$$
if [[ $failures -gt 0 ]]; then
  echo "$failures trawl command-line check(s) failed"
  exit 1
fi
echo "all trawl command-line checks passed"
