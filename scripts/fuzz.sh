#!/usr/bin/env bash
# Builds the record fuzzer with clang and runs it: scripts/fuzz.sh [SECONDS] (default 60).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build="$root/build-fuzz"
# Only the fuzzer and its seeds: the rest of the tree is built and tested elsewhere.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DVOYANTA_FUZZ=ON -DVOYANTA_BUILD_TESTS=OFF
cmake --build "$build" --parallel 2 --target make_fuzz_seeds fuzz_records
corpus="$build/fuzz-corpus"
"$build/bin/make_fuzz_seeds" "$corpus"
# A record file is small: 100 kB inputs are plenty, and no single allocation may come
# near what a count or length in such a file could ask for.
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0
"$build/bin/fuzz_records" "$corpus" -max_len=100000 -malloc_limit_mb=64 -rss_limit_mb=1024 \
    -timeout=5 -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/"
