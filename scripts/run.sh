#!/usr/bin/env bash
# Installs what is missing, builds Veltaro and starts the aerofoil window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target veltaro
exec build/app/veltaro "$@"
