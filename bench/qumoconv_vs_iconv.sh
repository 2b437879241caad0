#!/usr/bin/env bash
# Times `qumoconv --to euc` against `iconv -f CP932 -t EUC-JP` on the same
# 64 MB Shift_JIS file, alternating runs so both see the same machine load.
set -euo pipefail
build=${1:-build}
runs=${2:-5}
sample=$(mktemp --suffix=.sjis)
trap 'rm -f "$sample"' EXIT
"$build/bench_codeconv" --write-sample "$sample" 64

best() { sort -n | head -1; }
q=(); i=()
for _ in $(seq "$runs"); do
  s=$(date +%s.%N); "$build/qumoconv" --to euc "$sample" >/dev/null; e=$(date +%s.%N)
  q+=("$(awk "BEGIN{print $e - $s}")")
  s=$(date +%s.%N); iconv -f CP932 -t EUC-JP "$sample" >/dev/null; e=$(date +%s.%N)
  i+=("$(awk "BEGIN{print $e - $s}")")
done
qb=$(printf '%s\n' "${q[@]}" | best)
ib=$(printf '%s\n' "${i[@]}" | best)
echo "file: $(stat -c %s "$sample") bytes"
echo "qumoconv --to euc:        best of $runs ${qb}s"
echo "iconv -f CP932 -t EUC-JP: best of $runs ${ib}s"
echo "ratio (iconv / qumoconv): $(awk "BEGIN{printf \"%.2f\", $ib / $qb}")"
cmp <("$build/qumoconv" --to euc "$sample") <(iconv -f CP932 -t EUC-JP "$sample") && echo "outputs identical"
