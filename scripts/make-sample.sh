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
    "$cli" --workdir "$sample" import "$document" >/dev/null
    sleep 1 # keys are time stamps: one travel per second keeps them in the documents' order
done
"$cli" --workdir "$sample" check
"$cli" --workdir "$sample" list
