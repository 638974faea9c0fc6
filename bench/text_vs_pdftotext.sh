#!/usr/bin/env bash
# Plain-text throughput and peak memory of pagewren-cli against pdftotext -raw, on the large real files of
# ../shared/bench/, measured in the same run: every file RUNS times with each program, medians reported.
#   bench/text_vs_pdftotext.sh PAGEWREN_CLI [RUNS]
# Targets: pagewren at least 5 times pdftotext's pages per second on every file, and a peak resident memory
# of at most 3 times the file's size plus 30 MB.
set -euo pipefail
cli=${1:?usage: bench/text_vs_pdftotext.sh PAGEWREN_CLI [RUNS]}
runs=${2:-5}
bench_dir=$(cd "$(dirname "$0")/../../shared/bench" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# One run: wall time in nanoseconds and peak resident memory in KiB, "ns kib".
measure() {
  local start end
  start=$(date +%s%N)
  /usr/bin/time -o "$scratch/rss" -f "%M" "$@" >/dev/null 2>"$scratch/err" || {
    echo "failed: $* ($(head -c 200 "$scratch/err"))" >&2
    return 1
  }
  end=$(date +%s%N)
  echo "$((end - start)) $(tail -n 1 "$scratch/rss")"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

printf "%-28s %6s %7s | %12s %12s %7s | %11s %11s %10s | %s\n" file pages "MB" "pagewren p/s" "pdftotext p/s" ratio \
  "pagewren MB" "pdftotext MB" "limit MB" verdict
all_met=1
for pdf in "$bench_dir"/*.pdf; do
  pages=$(pdfinfo "$pdf" | awk '/^Pages:/ { print $2 }')
  bytes=$(stat -c %s "$pdf")
  : >"$scratch/ours"
  : >"$scratch/theirs"
  # Alternate the two programs so that both see the same state of the machine.
  for _ in $(seq "$runs"); do
    measure "$cli" --plain --stdout -q "$pdf" >>"$scratch/ours"
    measure pdftotext -raw "$pdf" - >>"$scratch/theirs"
  done
  our_ns=$(cut -d' ' -f1 "$scratch/ours" | median)
  their_ns=$(cut -d' ' -f1 "$scratch/theirs" | median)
  our_kib=$(cut -d' ' -f2 "$scratch/ours" | sort -n | tail -n 1)
  their_kib=$(cut -d' ' -f2 "$scratch/theirs" | sort -n | tail -n 1)
  read -r our_pps their_pps ratio our_mb their_mb limit_mb verdict < <(awk -v p="$pages" -v o="$our_ns" -v t="$their_ns" \
    -v ok="$our_kib" -v tk="$their_kib" -v b="$bytes" 'BEGIN {
      op = p / (o / 1e9); tp = p / (t / 1e9); r = op / tp;
      om = ok / 1024; tm = tk / 1024; lim = 3 * b / 1048576 + 30;
      v = (r >= 5 && om <= lim) ? "met" : "MISSED";
      printf "%.0f %.0f %.1f %.1f %.1f %.1f %s\n", op, tp, r, om, tm, lim, v }')
  [ "$verdict" = met ] || all_met=0
  printf "%-28s %6s %7.1f | %12s %12s %6sx | %11s %11s %10s | %s\n" "$(basename "$pdf")" "$pages" \
    "$(awk -v b="$bytes" 'BEGIN { print b / 1048576 }')" "$our_pps" "$their_pps" "$ratio" "$our_mb" "$their_mb" \
    "$limit_mb" "$verdict"
done
echo "(medians of $runs runs each; peak memory is the highest of the runs)"
[ "$all_met" = 1 ] || echo "some target was missed" >&2
