#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs every test: the core, the windows (offscreen) and the CLI end to end;
# then every fuzz target for a few seconds over its committed seeds, so that
# an input that once crashed a reader fails the run again.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DKORVANA_SANITIZE=ON >/dev/null
cmake --build build/test -j"$(nproc)"
ctest --test-dir build/test --output-on-failure -j"$(nproc)"
KORVANA_FUZZ_FRESH=1 bash scripts/fuzz.sh "${KORVANA_CI_FUZZ_SECONDS:-5}"
