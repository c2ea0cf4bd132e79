#!/usr/bin/env bash
# Installs an already-built tree into a scratch prefix and checks the layout a user gets: both
# programs, the shipped files and the guide in share/trawlex, the icon, the desktop entry, the
# man page and the bash completion; then runs the installed trawl.
# Usage: tests/install/install_test.sh BUILD_DIR
set -euo pipefail

build=${1:?usage: $0 BUILD_DIR}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
prefix=$(mktemp -d "${TMPDIR:-/tmp}/trawlex-install-XXXXXX")
trap 'rm -rf "$prefix"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
expect_file() {
  [[ -f $prefix/$1 ]] || fail "$1 is not installed"
}
expect_executable() {
  [[ -f $prefix/$1 && -x $prefix/$1 ]] || fail "$1 is not installed as a program"
}

cmake --install "$build" --prefix "$prefix" >/dev/null
gui=$(sed -n 's/^TRAWLEX_GUI:BOOL=//p' "$build/CMakeCache.txt")

expect_executable bin/trawl
expect_file share/man/man1/trawl.1
expect_file share/bash-completion/completions/trawl
for shipped in "$source_dir"/share/*.Shipped; do
  expect_file "share/trawlex/$(basename "$shipped")"
done
expect_file share/trawlex/VAVADUD2.INI.Shipped
expect_file share/trawlex/WinTypes.vlw.Shipped
if [[ -f $source_dir/docs/guide/index.md ]]; then
  expect_file share/trawlex/guide/index.md
  # Every picture the guide links as ../NAME.png (of those in docs/) sits beside the guide.
  while read -r picture; do
    [[ ! -f $source_dir/docs/${picture#../} ]] || expect_file "share/trawlex/${picture#../}"
  done < <(grep -oh '\.\./[A-Za-z0-9_.-]*\.png' "$source_dir"/docs/guide/*.md | sort -u)
fi

if [[ $gui != OFF ]]; then
  expect_executable bin/trawlex
  expect_file share/trawlex/trawlex.svg
  expect_file share/icons/hicolor/scalable/apps/trawlex.svg
  entry=share/applications/trawlex.desktop
  expect_file "$entry"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/$entry" || fail "$entry does not validate"
  fi
  # The menu start goes through the launcher, which starts the installed trawlex.
  launcher=$(sed -n 's/^Exec=\([^ ]*\) %F$/\1/p' "$prefix/$entry")
  if [[ $launcher != "$prefix"/* || ! -x $launcher ]]; then
    fail "Exec= names no installed launcher"
  elif ! grep -qF "exec '$prefix/bin/trawlex' \"\$@\"" "$launcher"; then
    fail "the launcher does not start $prefix/bin/trawlex"
  fi
fi

# The completion loads and registers itself; the man page is a roff page.
bash -c "source '$prefix/share/bash-completion/completions/trawl' && complete -p trawl" \
  >/dev/null || fail "the bash completion does not load"
grep -q '^\.TH TRAWL 1' "$prefix/share/man/man1/trawl.1" || fail "trawl.1 is no man page"

# The installed trawl runs and searches.
"$prefix/bin/trawl" --help >/dev/null || fail "the installed trawl --help fails"
hits=$(cd "$source_dir" && "$prefix/bin/trawl" search -r -q -1 PROCEDURE samples | wc -l)
[[ $hits -gt 0 ]] || fail "the installed trawl finds nothing in samples"

if [[ $failures -gt 0 ]]; then
  echo "$failures install check(s) failed" >&2
  exit 1
fi
echo "install layout ok"
