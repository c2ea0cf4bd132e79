#!/usr/bin/env bash
# Writes the man page trawl(1) from trawl's own help texts: `trawl --help` for the description
# and `trawl COMMAND --help` for each command, so the page says what the program says.
# Usage: scripts/make_manpage.sh TRAWL_BINARY OUT [VERSION]
set -euo pipefail

if [[ $# -lt 2 || $# -gt 3 ]]; then
  echo "usage: $0 TRAWL_BINARY OUT [VERSION]" >&2
  exit 2
fi
trawl=$1
out=$2
version=${3:-}
# The commands as `trawl --help` lists them: the first word of each indented line of its
# "Commands:" section, so a new command gets its subsection without a change here.
mapfile -t commands < <("$trawl" --help |
  sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\)\( .*\)\{0,1\}$/\1/p' | uniq)
if [[ ${#commands[@]} -eq 0 ]]; then
  echo "$0: no commands found in '$trawl --help'" >&2
  exit 1
fi

# Help text as roff lines: backslashes print as \e, minus signs as \- (so they copy as ASCII
# hyphens), and a line starting with . or ' is no request.
roff_text() {
  sed -e 's/\\/\\e/g' -e 's/-/\\-/g' -e "s/^[.']/\\\\\&&/"
}

# A help text kept in its own layout (its columns line up), without the trailing blank lines.
verbatim() {
  printf '.nf\n'
  roff_text
  printf '.fi\n'
}

page() {
  printf '.TH TRAWL 1 "" "Trawlex %s" "User Commands"\n' "$version"
  cat <<'ROFF'
.SH NAME
trawl \- search trees of Veldar source files from the command line
.SH SYNOPSIS
.B trawl
.I COMMAND
.RI [ OPTIONS ]
.I ARGUMENTS
.br
.B trawl
.I COMMAND
.B \-\-help
.SH DESCRIPTION
.B trawl
is the command-line front end of Trawlex, a code-search tool for the Veldar language, over the
same search engine as the desktop program
.BR trawlex .
Its help:
.PP
ROFF
  "$trawl" --help | verbatim
  printf '.SH COMMANDS\n'
  local command
  for command in "${commands[@]}"; do
    printf '.SS "trawl %s"\n' "$command"
    "$trawl" "$command" --help | verbatim
  done
  cat <<'ROFF'
.SH EXIT STATUS
.TP
.B 0
success; for a search: hits were found
.TP
.B 1
nothing found (no hits, no match, a regular expression that does not pass the check)
.TP
.B 2
bad usage or an error, a failed write to stdout among them
.SH FILES
.TP
.I Search.DAT
the settings of the current directory, shared with the desktop program
.TP
.I searches.hvn
the saved searches of the current directory
.TP
.IR WinTypes.VLW ", " WinTypesUser.VLW
the Windows type table of
.B trawl convert proto
in the current directory
.TP
.I /usr/share/trawlex/
the shipped files (the look file and the type table as
.IR *.Shipped )
and the user guide
.RI ( guide/index.md )
.SH SEE ALSO
.BR grep (1)
ROFF
}

page > "$out.tmp"
mv "$out.tmp" "$out"
