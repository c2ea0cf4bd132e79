#!/usr/bin/env bash
# End-to-end checks of the trawl command line: output and exit status of each case.
# Usage: trawl_cli_test.sh PATH_TO_TRAWL
set -u
trawl=$(realpath "$1")
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

# Long lines are one line each: line numbers agree with grep -n, a text straddling column 255
# is found, and a regular expression sees the whole of a 70,000-character line.
long=$(mktemp -d)
{
  printf '%0253dkmn tail\r\n' 0
  printf '%0300d\r\n' 0
  printf 'short kmn\r\n'
  printf '%070000dKmN\n' 0
  printf '\tkmn after a tab\r\n'
} >"$long/long.txt"
for args in "kmn" "-X k.n"; do
  # shellcheck disable=SC2086
  got=$("$trawl" search -q $args "$long" | cut -d: -f2 | tr '\n' ' ')
  want=$(grep -n -i 'k.n' "$long/long.txt" | cut -d: -f1 | tr '\n' ' ')
  if [[ "$got" != "$want" ]]; then
    echo "FAIL: long lines, trawl search $args: lines '$got' (grep -n: '$want')"
    failures=$((failures + 1))
  fi
done
rm -rf "$long"

# The summary is the last line on stderr, unless -q.
summary=$("$trawl" search kmn "$tree" 2>&1 >/dev/null | tail -n 1)
if [[ "$summary" != "3 found in "*" seconds,  "*" bytes" ]]; then
  echo "FAIL: summary line '$summary'"
  failures=$((failures + 1))
fi

# trawl regex
expect 0 '' -- regex check kmn
expect 0 '' -- regex check '   '
expect 0 '' -- regex check '^IF'
expect 1 'You used the Caret "^" to start the match at the start of the line. You have also checked the Word option. This will not work, I will uncheck Word.' -- regex check --word '^IF'
expect 1 'You used the Dollar "$" to match at the end of the line. You have also checked the Trailing option. This will not work, I will uncheck Trailing.' -- regex check 'kmn$' --trailing
expect 1 $'You have an unbalanced group. Groups \nstart and end with Curly Braces {}. \n\nIf you want to search for a Curly Brace, \nprefix it with a backslash, e.g. \\{ or \\}.' -- regex check '{kmn'
expect 1 'Starting or Ending a Regular Expression with ".*" or ".?" is meaning less and will require more time to process. Please remove it.' -- regex check 'a*b'
expect 0 '' -- regex check -- '-x'
expect 0 $'a\ta\nb*\tb <Occurs 0 or More Times>\nc\tc' -- regex explain 'ab*c'
expect 0 $'{\t{ <Begin Group>\n  IF\t   IF\n  |\t   <-or->\n  CASE\t   CASE\n}\t} <End Group>\n\x80x\t\x80x' -- regex explain '{IF|CASE} x'
expect 0 $'^\t<Match at Beginning of Line>\nIF\tIF\n.*\t<Any Character> <Occurs 0 or More Times>\nTHEN\tTHEN\n$\t<Match at End of Line>' -- regex explain '^IF.*THEN$'
expect 1 $'Error\tRegular Expression is Invalid' -- regex explain '[]kmn'
expect 0 '' -- regex explain '   '
expect 0 '*' -- regex --help
expect 0 '*' -- regex check --help
expect 2 '' -- regex
expect 2 '' -- regex frob kmn
expect 2 '' -- regex check
expect 2 '' -- regex check a b
expect 2 '' -- regex check --bogus a
expect 2 '' -- regex explain --word a
# end of trawl regex
# trawl saved
# The store is written with the sqlite3 tool in the same layout the program creates.
if command -v sqlite3 >/dev/null 2>&1; then
  saved_dir=$(mktemp -d)
  pushd "$saved_dir" >/dev/null
  expect 0 '' -- saved
  if [[ -e searches.hvn ]]; then
    echo "FAIL: trawl saved created searches.hvn"
    failures=$((failures + 1))
  fi
  sqlite3 searches.hvn <<SQL
CREATE TABLE searches (position INTEGER PRIMARY KEY AUTOINCREMENT,
  name TEXT NOT NULL DEFAULT '' COLLATE NOCASE, text TEXT NOT NULL DEFAULT '',
  path TEXT NOT NULL DEFAULT '' COLLATE NOCASE, spec TEXT NOT NULL DEFAULT '',
  sw_case INTEGER NOT NULL DEFAULT 0, sw_word INTEGER NOT NULL DEFAULT 0,
  sw_trail INTEGER NOT NULL DEFAULT 0, sw_codeonly INTEGER NOT NULL DEFAULT 0,
  sw_oop INTEGER NOT NULL DEFAULT 0, sw_first INTEGER NOT NULL DEFAULT 0,
  sw_subdirs INTEGER NOT NULL DEFAULT 0, sublevels INTEGER NOT NULL DEFAULT 0,
  sw_modal INTEGER NOT NULL DEFAULT 0, sw_literalsonly INTEGER NOT NULL DEFAULT 0,
  sw_literalsskip INTEGER NOT NULL DEFAULT 0, sw_smash INTEGER NOT NULL DEFAULT 0,
  sw_extra BLOB NOT NULL DEFAULT x'00000000000000000000');
CREATE UNIQUE INDEX sea_by_name ON searches (name COLLATE NOCASE);
CREATE INDEX sea_by_path ON searches (path COLLATE NOCASE, name COLLATE NOCASE);
INSERT INTO searches (name, text, path, spec, sw_case) VALUES ('zeta', 'kmn', '$tree', '*.txt', 1);
INSERT INTO searches (name, text, path, spec, sw_extra)
  VALUES ('beta', 'k?n', '/lib', '*.inc', x'01010000000000000000');
INSERT INTO searches (name, text, path, spec, sw_subdirs, sublevels, sw_extra)
  VALUES ('Alpha', 'x', '/src', '*.vlw;*.inc', 1, 2, x'00000001000000000000');
INSERT INTO searches (name, text, path, spec) VALUES ('anywhere', 'kmn', '/no/such/dir', '*.*');
SQL
  expect 0 $'Alpha\t/src\t*.vlw;*.inc\tSub2 Lbl:Proc\nanywhere\t/no/such/dir\t*.*\t\nbeta\t/lib\t*.inc\tWild\nzeta\t'"$tree"$'\t*.txt\tCase' -- saved
  expect 0 'a.txt:1::x = kmn' -- search -q --saved ZETA
  expect 0 $'a.txt:1::x = kmn\na.txt:2::KMN y\nc.bak:1::kmn' -- search -q --saved anywhere "$tree"
  expect 2 '' -- search -q --saved anywhere
  expect 2 '' -- search --saved nosuchsearch
  expect 0 '*' -- saved --help
  expect 2 '' -- saved extra
  # A store that is not a database is reported and left as it was.
  printf 'not a database\r\n' >searches.hvn
  expect 2 '' -- saved
  expect 2 '' -- search --saved zeta
  if [[ "$(od -c searches.hvn | head -n 1)" != "$(printf 'not a database\r\n' | od -c | head -n 1)" ]]; then
    echo "FAIL: trawl saved changed a damaged searches.hvn"
    failures=$((failures + 1))
  fi
  popd >/dev/null
  rm -rf "$saved_dir"
else
  echo "sqlite3 is not installed: trawl saved checks skipped"
fi
# end of trawl saved
rm -rf "$tree"
rm -f /tmp/trawl_cli_err.$$
if [[ $failures -gt 0 ]]; then
  echo "$failures trawl command-line check(s) failed"
  exit 1
fi
echo "all trawl command-line checks passed"
