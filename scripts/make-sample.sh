#!/usr/bin/env bash
# Rebuilds the sample working directory samples/Travels from the travel documents in
# samples/source, through voyanta-cli import (build the project first).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli="$root/build/bin/voyanta-cli"
sample="$root/samples/Travels"
rm -rf "$sample"
mkdir -p "$sample"
"$cli" --workdir "$sample" init
for document in "$root"/samples/source/*.json; do
    # Keys are time stamps that never repeat: the travels keep the documents' order.
    "$cli" --workdir "$sample" import "$document" >/dev/null
done
"$cli" --workdir "$sample" check
"$cli" --workdir "$sample" list
