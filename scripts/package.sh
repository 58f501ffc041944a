#!/usr/bin/env bash
# Builds a Debian package of Voyanta in build-package/: scripts/package.sh
# Install it with: sudo apt install ./build-package/voyanta_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build-package" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX=/usr -DVOYANTA_BUILD_TESTS=OFF
(cd "$root/build-package" && cpack -G DEB)
ls "$root"/build-package/voyanta_*.deb
