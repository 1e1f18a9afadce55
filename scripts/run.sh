#!/usr/bin/env bash
# Builds the editor (release) and starts it. Without arguments it opens the
# demonstration firmware, which it writes into build/release/demo the first
# time ("korvana-cli demo"); with arguments they go to the editor, so
# "scripts/run.sh fw.bin" opens fw.bin.
set -euo pipefail
# Files named on the command line are relative to the caller's folder, not
# to the repository this script changes into.
args=()
for a in "$@"; do
  case "$a" in -* | /*) ;; *) a="$PWD/$a" ;; esac
  args+=("$a")
done
set -- "${args[@]+"${args[@]}"}"
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DKORVANA_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)"
if [ $# -eq 0 ]; then
  demo=build/release/demo
  [ -f "$demo/demo.bin" ] || build/release/bin/korvana-cli demo "$demo" >/dev/null
  set -- "$PWD/$demo/demo.bin"
fi
exec build/release/bin/korvana "$@"
