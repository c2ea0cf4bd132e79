#!/usr/bin/env bash
# Times `trawl search` against ripgrep (with its default threads) on two generated trees of
# Veldar-like source, checks that the hit lines agree with grep where the two dialects agree,
# and prints trawl/rg for each search. Both tools write their hits to a file; each round runs
# the tools one after the other, and the medians of the rounds are compared. Also reports the
# peak memory of a search that keeps a million hits.
#
#   tree "big":  3,000 files, about 165 MB, CRLF (gen_corpus.py --files 3000)
#   tree "many": 50,000 small files in 100 directories, about 200 MB
#
# Usage: bench/compare_search.sh [BUILD_DIR] [CORPUS_DIR] [ROUNDS]
#   BUILD_DIR   a Release build of this repository (default build/release; built if missing)
#   CORPUS_DIR  where the trees are generated once (default build/bench)
#   ROUNDS      timed rounds per search (default 7)
# Needs grep, ripgrep (rg) and python3; the tree generator lives in the shared tools directory
# beside the repository (../shared/tools/gen_corpus.py, or GEN_CORPUS).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
corpus=${2:-build/bench}
rounds=${3:-7}
generator=${GEN_CORPUS:-../shared/tools/gen_corpus.py}

command -v rg >/dev/null || { echo "needs ripgrep (apt-get install ripgrep)"; exit 2; }
if [[ ! -x "$build/src/app/trawl" ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRAWLEX_TESTS=OFF >/dev/null
  cmake --build "$build" --target trawl trawlex_memory_probe
fi
trawl=$(realpath "$build/src/app/trawl")
probe=$(realpath "$build/bench/trawlex_memory_probe")
mkdir -p "$corpus"
corpus=$(realpath "$corpus")

if [[ ! -d "$corpus/big" ]]; then
  python3 "$generator" "$corpus/big" --files 3000
fi
if [[ ! -d "$corpus/many" ]]; then
  # Small files, spread evenly over 100 directories.
  python3 "$generator" "$corpus/many-flat" --files 50000 --lines-min 50 --lines-max 190
  python3 - "$corpus/many-flat" "$corpus/many" <<'PY'
import os, sys
src, dst = sys.argv[1], sys.argv[2]
files = sorted(os.path.join(d, f) for d, _, fs in os.walk(src) for f in fs)
for i, path in enumerate(files):
    target = os.path.join(dst, f"dir{i % 100:02d}")
    os.makedirs(target, exist_ok=True)
    os.rename(path, os.path.join(target, os.path.basename(path)))
PY
  rm -rf "$corpus/many-flat"
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

hits() {  # normalised "path:line" of a grep-like listing
  sed -E 's|^\./||; s|^([^:]*:[0-9]+):.*|\1|' | sort
}

# Seconds one command takes, its output to a file.
seconds() {
  python3 - "$@" <<'PY'
import subprocess, sys, time
start = time.perf_counter()
with open(sys.argv[1], "wb") as sink:
    subprocess.run(sys.argv[2:], stdout=sink, stderr=subprocess.DEVNULL)
print(f"{time.perf_counter() - start:.4f}")
PY
}

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

# name | tree | trawl options | rg options | grep options (empty: no hit check) | text
searches=(
  "literal|big|-r -q|-n -i -F|-rn -i -F|wareline"
  "word|big|-r -q -w|-n -i -F -w||init"
  "regex|big|-r -q -X|-n -i|-rn -i -E|GET\\([a-z]+Q"
  "none|big|-r -q|-n -i -F|-rn -i -F|zqxjvw"
  "many files|many|-r -q|-n -i -F|-rn -i -F|wareline"
)

printf '\n%-11s %-6s %9s %9s %7s  %s\n' search tree "trawl ms" "rg ms" trawl/rg hits
for search in "${searches[@]}"; do
  IFS='|' read -r name tree topts ropts gopts text <<<"$search"
  cd "$corpus/$tree"
  # shellcheck disable=SC2086
  "$trawl" search $topts "$text" . | hits >"$out/trawl.hits" || true
  check="$(wc -l <"$out/trawl.hits")"
  if [[ -n "$gopts" ]]; then
    # shellcheck disable=SC2086
    grep $gopts "$text" . | hits >"$out/grep.hits" || true
    if cmp -s "$out/trawl.hits" "$out/grep.hits"; then
      check="$check, same lines as grep"
    else
      check="$check, HIT LINES DIFFER from grep"
    fi
  fi
  # shellcheck disable=SC2086
  "$trawl" search $topts "$text" . >/dev/null || true  # warm the cache
  : >"$out/trawl.times"
  : >"$out/rg.times"
  for ((i = 0; i < rounds; i++)); do
    # shellcheck disable=SC2086
    seconds "$out/trawl.out" "$trawl" search $topts "$text" . >>"$out/trawl.times"
    # shellcheck disable=SC2086
    seconds "$out/rg.out" rg $ropts "$text" . >>"$out/rg.times"
  done
  t=$(median <"$out/trawl.times")
  r=$(median <"$out/rg.times")
  awk -v n="$name" -v tr="$tree" -v t="$t" -v r="$r" -v c="$check" \
    'BEGIN { printf "%-11s %-6s %9.1f %9.1f %7.2f  %s\n", n, tr, t * 1000, r * 1000, t / r, c }'
done

echo
echo "== memory: a search that keeps every hit in its results queue ('=': about 1.6 million hits)"
cd "$corpus/big"
"$probe" = .
