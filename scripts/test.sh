#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test:
# the normal build, then the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, then one minute of fuzzing the record readers,
# then a formatting check.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

status=0
passed=0
failed=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# Runs one ctest suite and adds its counts to the totals.
run_ctest() {
    if ctest --test-dir "$1" --output-on-failure -j2 2>&1 | tee "$log"; then :; else status=1; fi
    local summary total bad
    summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
    if [ -z "$summary" ]; then status=1; failed=$((failed + 1)); return; fi
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
    bad=$(sed -E 's/.*, ([0-9]+) tests failed.*/\1/' <<<"$summary")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
}

# Counts one further check (fuzzing, formatting) as passed or failed.
count_check() {
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); status=1; fi
}

echo "== Release build"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
run_ctest "$root/build"

echo "== AddressSanitizer and UndefinedBehaviorSanitizer build"
"$root/scripts/build.sh" "$root/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DVOYANTA_SANITIZE=ON
run_ctest "$root/build-sanitize"

echo "== Fuzzing the record readers for one minute"
count_check "$root/scripts/fuzz.sh" 60

echo "== Formatting"
check_format() {
    if ! (cd "$root" && git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror); then
        echo "clang-format: some files are not formatted (run: cmake --build build --target format)"
        return 1
    fi
}
count_check check_format

echo "tests: $passed passed, $failed failed"
exit $status
