#!/usr/bin/env bash
# Makes a working directory of the sample travels, moved to this month (or YYYY-MM), with
# their pictures: scripts/make-sample-folder.sh DIR [YYYY-MM]  (build the project first).
# The pictures are copied to DIR/Pictures; the picture categories go to DIR/Travel Images,
# as when a user imports a travel.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli="$root/build/bin/voyanta-cli"
target=${1:?give the folder to make}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$target/Pictures"
cp "$root"/samples/pictures/*.png "$root"/samples/pictures/*.jpg "$target/Pictures/"
python3 "$root/scripts/shift-sample-dates.py" "$root/samples/source" "$work" \
    "$target/Pictures" ${2:+"$2"}
"$cli" --workdir "$target" init
for document in "$work"/*.json; do
    # Keys are time stamps that never repeat: the travels keep the documents' order.
    "$cli" --workdir "$target" import "$document" >/dev/null
done
"$cli" --workdir "$target" check
