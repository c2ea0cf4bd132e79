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

# same WHAT GOT WANTED: one check of a value the caller worked out
same() {
  if [[ "$2" != "$3" ]]; then
    printf 'FAIL: %s: got %q, wanted %q\n' "$1" "$2" "$3"
    failures=$((failures + 1))
  fi
}

# expect_write_error ARGS...: trawl ARGS with stdout on /dev/full names the write error with
# its reason as the only line on stderr (no summary after it) and exits 2.
expect_write_error() {
  [[ -w /dev/full ]] || return 0
  local err rc
  err=$("$trawl" "$@" 2>&1 >/dev/full)
  rc=$?
  same "trawl $* >/dev/full" "$rc $err" "2 trawl: write error: No space left on device"
}

# on_terminal COMMAND [ARG]: runs the shell COMMAND ($TRAWL is trawl, $ARG the argument) with
# stdout and stderr on a pseudo-terminal; prints what the terminal got, less the tty's \r.
have_terminal=false
if command -v script >/dev/null 2>&1 && script -qec true /dev/null </dev/null >/dev/null 2>&1; then
  have_terminal=true
else
  echo "script (util-linux) cannot open a pseudo-terminal: terminal checks skipped"
fi
on_terminal() { TRAWL=$trawl ARG=${2-} script -qec "$1" /dev/null </dev/null | tr -d '\r'; }
[[ -w /dev/full ]] || echo "no /dev/full: write error checks skipped"

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
# The export formats: the text file's layout (CR LF lines, the directory as the results window
# shows it, in lower case) and the tab-separated clipboard heading; the clock is fixed. The
# summary's seconds vary, so its number is left out of the comparison.
lower_tree=$(printf '%s' "$tree/" | tr 'A-Z' 'a-z')
got=$("$trawl" search -q --format text --clock '2024-03-05 13:07' kmn "$tree" | sed 's/ in [0-9.]* seconds/ in N seconds/')
want=$(printf '%s\r\n' "Trawlex Results 03/05/24  1:07PM" "Find: kmn" "Options:" \
  "--------------------------------------------------------------------------------" "" \
  "Dir: $lower_tree" "" "a.txt" "       1  x = kmn" "" "a.txt" "       2  KMN y" "" \
  "c.bak" "       1  kmn" "" "3 lines reported, 3 originally found in N seconds, searched 27 bytes")
same "trawl search --format text" "$got" "$want"
got=$("$trawl" search -q --format tsv --clock '2024-03-05 13:07' kmn "$tree" | sed -n '4p;8p')
same "trawl search --format tsv" "$got" $'File\tLine#\tLocation\tText\r\na.txt\t1\t\tx = kmn\r'
expect 1 '' -- search -q --format spaces nothinglikethis "$tree"
expect 2 '' -- search --format text --clock '2024-02-30 10:00' kmn "$tree"
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

# Directories that cannot be read are named and the exit status says so (2), as grep's does;
# the files that could be read are still searched. Permissions do not stop root: as root the
# checks run as the user nobody.
as_user=()
if [[ $(id -u) -eq 0 ]]; then as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups); fi
locked=$(mktemp -d)
chmod 755 "$locked"
mkdir -p "$locked/open" "$locked/shut"
printf 'kmn\n' >"$locked/open/a.txt"
printf 'kmn\n' >"$locked/shut/b.txt"
chmod 000 "$locked/shut"
for run in "-r kmn $locked" "kmn $locked/shut"; do
  # shellcheck disable=SC2086
  out=$("${as_user[@]}" "$trawl" search -q $run 2>/tmp/trawl_cli_err.$$)
  rc=$?
  if [[ $rc -ne 2 ]] || ! grep -q "cannot read directory $locked/shut/: Access Denied" /tmp/trawl_cli_err.$$ ||
     [[ "$run" == -r* && "$out" != "open/a.txt:1::kmn" ]]; then
    echo "FAIL: unreadable directory, trawl search $run -> status $rc, output '$out'"
    sed 's/^/  stderr: /' /tmp/trawl_cli_err.$$
    failures=$((failures + 1))
  fi
done
chmod 755 "$locked/shut"
rm -rf "$locked"

# The assistant's pattern tools read one pattern line on stdin; what does not fit is refused.
expect 0 '{IF|CASE}' -- convert pattern-tool unix <<<'\(IF|CASE\)'
expect 0 "MATCH( string ,'IF {{x}',MATCH:Regular)  ! +MATCH:NoCase" -- \
  convert pattern-tool match-code --case yes <<<'IF {x}'
expect 2 '' -- convert pattern-tool prefix-metas <<<'................................'

# The constant converter: C #defines and VB Consts become EQUATEs; a blank input is refused.
same "convert const" "$(printf '#define WM_USER 0x0400\n' | "$trawl" convert const | tr -s ' ' | tr -d '\r')" \
  "WM_USER EQUATE(0400h) !"
same "convert vb" "$(printf 'Const A = 5\n' | "$trawl" convert vb | tr -s ' ' | tr -d '\r')" "A EQUATE(5) !"
expect 2 '' -- convert const </dev/null
first=$(printf 'LONG WINAPI RegCloseKey(\n  _In_ HKEY hKey\n);\n' | "$trawl" convert proto --no-type-cvt | head -n 1)
same "convert proto" "${first%% *}" "RegCloseKey"

# The summary is the last line on stderr, unless -q.
summary=$("$trawl" search kmn "$tree" 2>&1 >/dev/null | tail -n 1)
if [[ "$summary" != "3 found in "*" seconds,  "*" bytes" ]]; then
  echo "FAIL: summary line '$summary'"
  failures=$((failures + 1))
fi

# Output that cannot be written is an error for every command.
expect_write_error search kmn "$tree"
expect_write_error search --format json kmn "$tree"
expect_write_error search --format text kmn "$tree"
expect_write_error search --help
expect_write_error regex explain 'ab*c'
expect_write_error match regex a a
expect_write_error --help

# A search whose output fails stops there: the unreadable file after the hits (a write-only
# sysfs file, which not even root can read) is never reached; searched, it is named on stderr.
# A reader that goes away ends trawl by SIGPIPE, as it ends grep.
big=$(mktemp -d)
seq 20000 | sed 's/^/kmn line /' >"$big/a.txt"
unreadable=$(find /sys -maxdepth 3 -type f -perm 0200 2>/dev/null | head -n 1)
if [[ -w /dev/full && -n "$unreadable" ]]; then
  ln -s "$unreadable" "$big/z.txt"
  expect_write_error search kmn "$big"
  named=$("$trawl" search -q kmn "$big" 2>&1 >/dev/null)
  [[ "$named" == *"$big/z.txt"* ]] || same "unreadable file named" "$named" "trawl: ... $big/z.txt"
fi
env --default-signal=PIPE "$trawl" search -q kmn "$big" | head -n 1 >/dev/null
same "status when the reader goes away" "${PIPESTATUS[0]}" 141
rm -rf "$big"

# JSON keeps the bytes: a field that is not UTF-8 (a Latin-1 name, a Latin-1 line) comes as
# {"bytes":BASE64} and the path decodes to the file on disk; UTF-8 is a plain string.
bytes=$(mktemp -d)
latin1=$(printf 'caf\351')
mkdir "$bytes/café"
printf 'kmn \351t\351\r\n' >"$bytes/$latin1.txt"
printf 'kmn\r\n' >"$bytes/café/u.txt"
json=$("$trawl" search -q -r --format json kmn "$bytes")
first=$(head -n 1 <<<"$json")
path64=$(sed -n 's/^{"path":{"bytes":"\([A-Za-z0-9+/=]*\)"}.*/\1/p' <<<"$first")
if ! cmp -s <(base64 -d <<<"$path64") <(printf '%s' "$bytes/$latin1.txt"); then
  echo "FAIL: JSON path of a Latin-1 name does not decode to the file: $first"
  failures=$((failures + 1))
fi
text64=$(sed -n 's/.*,"text":{"bytes":"\([A-Za-z0-9+/=]*\)"},.*/\1/p' <<<"$first")
same "JSON text of a Latin-1 line" "$(base64 -d <<<"$text64" | od -An -c)" "$(printf 'kmn \351t\351' | od -An -c)"
same "JSON of UTF-8 names" "$(tail -n 1 <<<"$json")" "{\"path\":\"$bytes/café/u.txt\",\"file\":\"u.txt\",\"subdir\":\"café\",\"subdirnum\":2,\"line\":1,\"location\":\"\",\"text\":\"kmn\",\"ptr\":1}"
rm -rf "$bytes"

# A name with control characters: exact bytes in a pipe (-0: a NUL ends the path), JSON
# escapes, and on a terminal the name shows escaped, so it cannot forge a line or colour it.
ctl=$(mktemp -d)
forged=$'a\e[31mred\nb\tc\x7f.txt'
printf 'kmn\r\n' >"$ctl/$forged"
expect 0 "$forged:1::kmn" -- search -q kmn "$ctl"
same "-0 output" "$("$trawl" search -q -0 kmn "$ctl" | tr '\0' '@')" "$forged@1::kmn"
expect 2 '' -- search -0 --format json kmn "$ctl"
expect 0 "{\"path\":\"$ctl/a\\u001b[31mred\\nb\\tc\\u007f.txt\",\"file\":\"a\\u001b[31mred\\nb\\tc\\u007f.txt\",\"subdir\":\"\",\"subdirnum\":1,\"line\":1,\"location\":\"\",\"text\":\"kmn\",\"ptr\":1}" -- search -q --format json kmn "$ctl"
if $have_terminal; then
  same "hit on a terminal" "$(on_terminal '"$TRAWL" search -q kmn "$ARG"' "$ctl")" 'a\x1b[31mred\nb\tc\x7f.txt:1::kmn'
  same "message on a terminal" "$(on_terminal '"$TRAWL" search kmn "$ARG" >/dev/null' "$ctl/$forged")" "trawl: path not found: $ctl/"'a\x1b[31mred\nb\tc\x7f.txt'
  same "JSON on a terminal" "$(on_terminal '"$TRAWL" search -q --format json kmn "$ARG"' "$ctl")" "$("$trawl" search -q --format json kmn "$ctl")"
fi
rm -rf "$ctl"

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
  expect_write_error saved
  expect_write_error saved --help
  if $have_terminal; then
    sqlite3 searches.hvn "INSERT INTO searches (name, path, spec) VALUES ('a' || char(27) || 'b', '/x', '*.*');"
    same "saved name on a terminal" "$(on_terminal '"$TRAWL" saved' | head -n 1)" $'a\\x1bb\t/x\t*.*\t'
  fi
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

# Settings files and stores that are no regular files are named and never read or opened: a
# pipe would block, /dev/zero would never end. Each command must finish (timeout guards).
special=$(mktemp -d)
printf 'kmn\n' >"$special/a.txt"
mkfifo "$special/Search.DAT"
mkdir "$special/searches.hvn"
pushd "$special" >/dev/null
out=$(timeout 20 "$trawl" search -q kmn . 2>/tmp/trawl_cli_err.$$)
rc=$?
if [[ $rc -ne 0 || "$out" != "a.txt:1::kmn" ]] ||
   ! grep -q "trawl: Search.DAT is a named pipe, not a settings file: the default settings apply" /tmp/trawl_cli_err.$$; then
  echo "FAIL: Search.DAT as a pipe -> status $rc, output '$out'"
  sed 's/^/  stderr: /' /tmp/trawl_cli_err.$$
  failures=$((failures + 1))
fi
for command in "saved" "search --saved x"; do
  # shellcheck disable=SC2086
  timeout 20 "$trawl" $command >/dev/null 2>/tmp/trawl_cli_err.$$
  rc=$?
  if [[ $rc -ne 2 ]] || ! grep -q "trawl: searches.hvn is a directory, not a search store" /tmp/trawl_cli_err.$$; then
    echo "FAIL: searches.hvn as a directory, trawl $command -> status $rc"
    sed 's/^/  stderr: /' /tmp/trawl_cli_err.$$
    failures=$((failures + 1))
  fi
done
popd >/dev/null
rm -rf "$special"
rm -rf "$tree"
# trawl window: the controls of a structure, tab-separated; a text that is no structure is
# refused with the first-line message; problems go to stderr with their line.
window_in=$'Win WINDOW(\'Orders\'),AT(,,200,100)\n  MENUBAR\n    ITEM(\'E&xit\'),USE(?Exit)\n  END\n  BUTTON(\'&Ok\'),USE(?OkButton)\n  ENTRY(@s20),USE(Loc:X,?MyX)\nEND\n'
same "window" "$("$trawl" window --no-menus <<<"$window_in" | cut -f1-6 | tr '\t' '/')" \
  $'Level/Control/Text/FEQ/Use/Line\n0/WINDOW/Orders/Win//1\n1/BUTTON/&Ok/?OkButton//5\n1/ENTRY//?MyX/Loc:X/6'
expect 2 '' -- window <<<"  BUTTON('x'),USE(?X)"
same "window refusal" "$(cat /tmp/trawl_cli_err.$$)" \
  "trawl: The first line of the structure must be a APPLICATION, WINDOW or REPORT."
expect 0 '*' -- window <<<$'WINDOW(\'w\')\n  GIZMO\nEND\nEND'
same "window problems" "$(cat /tmp/trawl_cli_err.$$)" \
  $'trawl: line 2: unknown control \'GIZMO\'\ntrawl: line 4: END without an open structure or control'
expect_write_error window <<<"$window_in"
# end of trawl window

rm -f /tmp/trawl_cli_err.$$
if [[ $failures -gt 0 ]]; then
  echo "$failures trawl command-line check(s) failed"
  exit 1
fi
echo "all trawl command-line checks passed"
