#!/usr/bin/env bash
# Takes the user guide's and the README's pictures of the views from the sample travels,
# offscreen, into voyanta/help (build the project first): scripts/make-screenshots.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
month=${1:-2026-12}
"$root/scripts/make-sample-folder.sh" "$work/Travels" "$month" >/dev/null
mkdir -p "$root/voyanta/help"
QT_QPA_PLATFORM=offscreen "$root/build/bin/voyanta-screenshots" "$work/Travels" "$month" \
    "$root/voyanta/help"
