#!/usr/bin/env bash
# Configures and builds one configuration: build.sh BUILD_DIR [CMAKE OPTIONS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$1
shift
cmake -S "$root" -B "$build_dir" -G Ninja "$@"
cmake --build "$build_dir" --parallel 2
