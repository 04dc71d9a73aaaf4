#!/usr/bin/env bash
# Installs what is missing, builds Quillet into build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/dependencies.sh

install_missing "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"
cmake --preset default >/dev/null
cmake --build --preset default --parallel "$(nproc)"
exec ./build/app/quillet "$@"
