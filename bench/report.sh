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

# Stops the benchmark unless its program was built:
#   bench_require_program PATH TARGET
bench_require_program() {
    [ -x "$1" ] || { echo "missing $1: build the $2 target first" >&2; exit 1; }
}

# Stops the benchmark unless every reference tool is installed:
#   bench_require_tools TOOL...
bench_require_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "missing reference tool: $tool" >&2; exit 1; }
    done
}
