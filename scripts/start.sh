#!/usr/bin/env bash
# Installs what is missing, builds Voyanta and starts it:
#   scripts/start.sh                 on the working directory Voyanta keeps (asks the first time)
#   scripts/start.sh DIR             on DIR, for this run only
#   scripts/start.sh --sample        on the sample travels, moved to this month, with their
#                                    pictures, in ~/Voyanta Sample (made the first time)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
# Only the two programs: the tests, measurements and tools are scripts/test.sh's to build.
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" --parallel "$(nproc)" --target voyanta voyanta-cli

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Voyanta is built in $root/build/bin, but there is no display to open its window on." >&2
    echo "Run this command from a desktop session (or set QT_QPA_PLATFORM)." >&2
    exit 1
fi

voyanta="$root/build/bin/voyanta"
case "${1:-}" in
"")
    exec "$voyanta"
    ;;
--sample)
    sample="$HOME/Voyanta Sample"
    if [ ! -d "$sample" ] && ! "$root/scripts/make-sample-folder.sh" "$sample"; then
        rm -rf "$sample"
        exit 1
    fi
    exec "$voyanta" --workdir "$sample"
    ;;
*)
    mkdir -p "$1"
    exec "$voyanta" --workdir "$1"
    ;;
esac
