#!/usr/bin/env bash
# Makes a working directory of the sample travels, moved to this month (or YYYY-MM), with
# their pictures: scripts/make-sample-folder.sh DIR [YYYY-MM]  (build the project first).
# The pictures are copied to DIR/Pictures; the picture categories go to DIR/Travel Images,
# as when a user imports a travel. The window program's Help, Open Sample Travels does the
# same in ~/Voyanta Sample.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli="$root/build/bin/voyanta-cli"
target=${1:?give the folder to make}
mkdir -p "$target"
"$cli" --workdir "$target" sample ${2:+"$2"}
"$cli" --workdir "$target" check
