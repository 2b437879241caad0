#!/usr/bin/env bash
# Times `qumoconv --to euc` beside nkf, iconv and cat on the same generated
# Shift_JIS file, each writing to the same destination file, in turns so all
# meet the same machine load. Prints the median wall time and peak resident
# memory of each, and qumoconv's time over each one's, pair by pair.
#   bench/qumoconv_vs_iconv.sh [BUILD_DIR] [RUNS] [MEGABYTES]
# Needs only the codeconv-only build; nkf is skipped when it is not installed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
runs=${2:-7}
mb=${3:-64}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

c++ -std=c++20 -O2 -I"$here/../src/codeconv" "$here/sample_text.cpp" "$here/write_sample.cpp" -o "$work/write_sample"
"$work/write_sample" "$work/in.sjis" "$mb"
in=$work/in.sjis
out=$work/out

names=(qumoconv iconv cat)
declare -A cmd=(
  [qumoconv]="$build/qumoconv --to euc $in"
  [iconv]="iconv -f CP932 -t EUC-JP $in"
  [cat]="cat $in"
)
if command -v nkf >/dev/null; then
  names=(qumoconv nkf iconv cat)
  cmd[nkf]="nkf -S -e $in"
fi

# The outputs must agree before their times mean anything.
$build/qumoconv --to euc "$in" >"$work/q.euc"
iconv -f CP932 -t EUC-JP "$in" | cmp -s - "$work/q.euc" || { echo "qumoconv and iconv differ"; exit 1; }
if [[ -n ${cmd[nkf]:-} ]]; then
  nkf -S -e "$in" | cmp -s - "$work/q.euc" || { echo "qumoconv and nkf differ"; exit 1; }
fi

declare -A wall mem
for _ in $(seq "$runs"); do
  for n in "${names[@]}"; do
    s=$(date +%s%N)
    /usr/bin/time -f %M -o "$work/mem" ${cmd[$n]} >"$out"
    e=$(date +%s%N)
    wall[$n]+="$(( (e - s) / 1000 )) "
    mem[$n]+="$(cat "$work/mem") "
  done
done

median() { tr ' ' '\n' | grep . | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
# Median over the runs of qumoconv's time divided by the other's in the same round.
ratio() {
  paste <(tr ' ' '\n' <<<"${wall[qumoconv]}" | grep .) <(tr ' ' '\n' <<<"${wall[$1]}" | grep .) |
    awk '{print $1 / $2}' | sort -g | awk '{v[NR]=$1} END {printf "%.3f", v[int((NR+1)/2)]}'
}

echo "$(stat -c %s "$in") bytes of Shift_JIS to EUC-JP, written to one file; median of $runs runs"
printf '%-10s %9s %10s %18s\n' command 'wall s' 'peak MiB' 'qumoconv / this'
for n in "${names[@]}"; do
  w=$(median <<<"${wall[$n]}")
  m=$(median <<<"${mem[$n]}")
  printf '%-10s %9.3f %10.1f %18s\n' "$n" "$(awk "BEGIN{print $w / 1e6}")" "$(awk "BEGIN{print $m / 1024}")" "$(ratio "$n")"
done
