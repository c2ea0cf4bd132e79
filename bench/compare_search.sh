#!/usr/bin/env bash
# Times `trawl search` against grep and ripgrep on a generated tree of Veldar-like source
# (about 165 MB, CRLF), checks that all three report the same hit lines, and prints the
# ratio of each to grep. Also reports the peak memory of a search that keeps a million hits.
#
# Usage: bench/compare_search.sh [BUILD_DIR] [CORPUS_DIR]
#   BUILD_DIR   a Release build of this repository (default build/release; built if missing)
#   CORPUS_DIR  where the tree is generated once (default build/bench-corpus)
# Needs grep, ripgrep (rg), hyperfine and python3; the tree generator lives in the shared
# tools directory beside the repository (../shared/tools/gen_corpus.py).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
corpus=${2:-build/bench-corpus}
generator=${GEN_CORPUS:-../shared/tools/gen_corpus.py}

for tool in rg hyperfine; do
  command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install ripgrep hyperfine)"; exit 2; }
done
if [[ ! -x "$build/src/app/trawl" ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRAWLEX_TESTS=OFF >/dev/null
  cmake --build "$build" --target trawl trawlex_memory_probe
fi
trawl=$(realpath "$build/src/app/trawl")
probe=$(realpath "$build/bench/trawlex_memory_probe")
if [[ ! -d "$corpus" ]]; then
  python3 "$generator" "$corpus" --files 3000
fi
cd "$corpus"
echo "tree: $(du -sh . | cut -f1), $(find . -type f | wc -l) files"

# name | trawl options | grep options | rg options | text
variants=(
  "plain|-r -q|-rn -i -F|-n -i -F -j1|cust"
  "word|-r -q -w|-rn -i -F -w|-n -i -F -w -j1|loop"
  "regex|-r -q -X|-rn -i -E|-n -i -j1|GET\\([a-z]+Q"
)

hits() {  # normalised "path:line" of a grep-like listing
  sed -E 's|^\./||; s|^([^:]*:[0-9]+):.*|\1|' | sort
}

for variant in "${variants[@]}"; do
  IFS='|' read -r name topts gopts ropts text <<<"$variant"
  # shellcheck disable=SC2086
  "$trawl" search $topts "$text" . | hits >/tmp/trawl_hits.$$ || true
  # shellcheck disable=SC2086
  grep $gopts "$text" . | hits >/tmp/grep_hits.$$ || true
  # shellcheck disable=SC2086
  rg $ropts "$text" . | hits >/tmp/rg_hits.$$ || true
  same="identical hit lines"
  cmp -s /tmp/trawl_hits.$$ /tmp/grep_hits.$$ || same="HIT LINES DIFFER from grep"
  cmp -s /tmp/rg_hits.$$ /tmp/grep_hits.$$ || same="$same (rg differs from grep)"
  echo
  echo "== $name: '$text' ($(wc -l </tmp/grep_hits.$$) hits, $same)"
  # Output goes to a file: grep stops at the first hit of a file when it writes to /dev/null.
  hyperfine --warmup 1 --runs 7 --export-json /tmp/bench_$$.json \
    -n trawl "$trawl search $topts '$text' . >/tmp/bench_out.$$" \
    -n grep "grep $gopts '$text' . >/tmp/bench_out.$$" \
    -n rg "rg $ropts '$text' . >/tmp/bench_out.$$" >/dev/null
  python3 - /tmp/bench_$$.json <<'PY'
import json, sys
r = {x["command"]: x for x in json.load(open(sys.argv[1]))["results"]}
g = r["grep"]["median"]
for name in ("trawl", "grep", "rg"):
    m = r[name]["median"]
    print(f"  {name:6s} median {m*1000:8.1f} ms   ratio to grep {m/g:5.2f}")
PY
done
rm -f /tmp/trawl_hits.$$ /tmp/grep_hits.$$ /tmp/rg_hits.$$ /tmp/bench_$$.json /tmp/bench_out.$$

echo
echo "== memory: a search that keeps every hit in its results queue ('=': about 1.6 million hits)"
"$probe" = .
