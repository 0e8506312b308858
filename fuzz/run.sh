#!/usr/bin/env bash
# Runs each fuzz target for SECONDS on a scratch copy of its seed corpus; exits non-zero on
# any finding. Usage: fuzz/run.sh BUILD_DIR SECONDS
set -euo pipefail
build=$(cd "$1" && pwd) here=$(cd "$(dirname "$0")" && pwd) status=0
for target in value_of_text_fuzz calculate_fuzz; do
    mkdir -p "$build/fuzz/work/$target" "$build/fuzz/artifacts/$target"
    echo "== $target for ${2}s"
    "$build/fuzz/$target" -max_total_time="$2" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/fuzz/artifacts/$target/" \
        "$build/fuzz/work/$target" "$here/corpus/$target" || status=1
done
exit $status
