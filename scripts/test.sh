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

echo "== Release build"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$root/build" --output-on-failure || status=1

echo "== AddressSanitizer and UndefinedBehaviorSanitizer build"
"$root/scripts/build.sh" "$root/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DVOYANTA_SANITIZE=ON
ctest --test-dir "$root/build-sanitize" --output-on-failure || status=1

echo "== Fuzzing the record readers for one minute"
"$root/scripts/fuzz.sh" 60 || status=1

echo "== Formatting"
if ! (cd "$root" && git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror); then
    echo "clang-format: some files are not formatted (run: cmake --build build --target format)"
    status=1
fi

exit $status
