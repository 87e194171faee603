#!/usr/bin/env bash
# Fails when an engine file includes a header of a layer above its own. The engine's layers, lowest
# first: output, model, markup, solver; none of them includes cli/, display/, editor/ or app/.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
status=0
check() {
    local folder=$1 allowed=$2
    local found
    found=$(grep -nE '^#include "[a-z]+/' "$folder"/*.h "$folder"/*.cpp 2>/dev/null |
        grep -vE "#include \"($allowed)/" || true)
    if [ -n "$found" ]; then
        echo "$folder/ includes a higher layer:"
        echo "$found"
        status=1
    fi
}
check output 'output'
check model 'output|model'
check markup 'output|model|markup'
check solver 'output|model|markup|solver'
[ $status -eq 0 ] && echo "check-layers: every engine include points to its own layer or a lower one"
exit $status
