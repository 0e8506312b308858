#!/usr/bin/env bash
# Runs each fuzz target for SECONDS on a scratch copy of its seed corpus.
# Usage: fuzz/run.sh BUILD_DIR SECONDS. Exits non-zero on any finding.
set -euo pipefail
if [ $# -ne 2 ]; then
    echo "usage: $0 BUILD_DIR SECONDS" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)

status=0
for target in value_of_text_fuzz calculate_fuzz; do
    binary="$build/fuzz/$target"
    if [ ! -x "$binary" ]; then
        echo "missing $binary (configure with -DQUILLMAR_FUZZ=ON)" >&2
        exit 2
    fi
    work="$build/fuzz/work/$target"
    artifacts="$build/fuzz/artifacts/$target"
    mkdir -p "$work" "$artifacts"
    echo "== $target for ${seconds}s"
    if ! "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$artifacts/" -print_final_stats=1 \
        "$work" "$here/corpus/$target"; then
        echo "$target found a problem; see $artifacts" >&2
        status=1
    fi
done
exit $status
