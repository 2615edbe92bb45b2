#!/usr/bin/env bash
# Configures and builds the project into build/. MELLOWDEX_WERROR=ON makes every warning an error
# (CI sets it).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMELLOWDEX_WERROR="${MELLOWDEX_WERROR:-OFF}" >/dev/null
cmake --build "$root/build" -j"$(nproc)" "$@"
