# Sourced by the benchmark scripts: one machine-readable line per figure, which
# bench/run-all collects into its table (the scripts' own tables stay as they
# are for a reader).
#   bench_report FIGURE OURS REFERENCE RATIO GOAL VERDICT
# Empty fields are written as "-".
bench_report() {
    local fields=() f
    for f in "$@"; do fields+=("${f:--}"); done
    printf 'BENCH\t%s\t%s\t%s\t%s\t%s\t%s\n' "${fields[@]}"
}
