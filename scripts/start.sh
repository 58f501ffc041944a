#!/usr/bin/env bash
# Installs what is missing, builds Voyanta and starts it on a working directory:
#   scripts/start.sh [WORKING_DIRECTORY]
# Until the window program arrives this prepares the working directory with
# voyanta-cli and lists its travels.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
workdir=${1:-$HOME/Voyanta}
mkdir -p "$workdir"
cli="$root/build/bin/voyanta-cli"
"$cli" --workdir "$workdir" init
echo "Travels in $workdir:"
"$cli" --workdir "$workdir" list
