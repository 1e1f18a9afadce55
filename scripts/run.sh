#!/usr/bin/env bash
# Builds the editor (release) and starts it; arguments go to the editor, so
# "scripts/run.sh fw.bin" opens fw.bin.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DKORVANA_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)"
exec build/release/bin/korvana "$@"
