#!/usr/bin/env bash
# Fails when an engine file includes a header of a layer above its own. The engine's layers, lowest
# first: output, model, markup, solver, then the export and checker layers above them; none of them
# includes cli/, display/, editor/ or app/.
# solver/ is layered inside: its own files (the workspace and the shared methods), then simplify/,
# factor/, equation/, substitution/, each on the ones before it, and the dispatcher SolveProblem.cpp
# over all of them. The one way up is the equation solver's use of the reductions by substitution,
# through solver/substitution/Reductions.h.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
status=0

# check PLACE ALLOWED FILE...: every engine include of the files must match ALLOWED (an extended
# regular expression for the path written in the include).
check() {
    local place=$1 allowed=$2
    shift 2
    local found
    found=$(grep -nE '^#include "[a-z]+/' "$@" 2>/dev/null | grep -vE "#include \"($allowed)\"" || true)
    if [ -n "$found" ]; then
        echo "$place includes a higher layer:"
        echo "$found"
        status=1
    fi
}
files_of() {
    find "$1" -maxdepth 1 \( -name '*.h' -o -name '*.cpp' \) ! -name SolveProblem.cpp | sort
}

engine='(output|model|markup)/[^"]+'
workspace='solver/[A-Za-z]+\.h'
check output/ 'output/[^"]+' $(files_of output)
check model/ '(output|model)/[^"]+' $(files_of model)
check markup/ "$engine" $(files_of markup)
check solver/ "$engine|$workspace" $(files_of solver)
check solver/simplify/ "$engine|$workspace|solver/simplify/[^\"]+" $(files_of solver/simplify)
check solver/factor/ "$engine|$workspace|solver/(simplify|factor)/[^\"]+" $(files_of solver/factor)
check solver/equation/ "$engine|$workspace|solver/(simplify|factor|equation)/[^\"]+|solver/substitution/Reductions\.h" \
    $(files_of solver/equation)
check solver/substitution/ "$engine|$workspace|solver/(simplify|factor|equation|substitution)/[^\"]+" \
    $(files_of solver/substitution)
check solver/SolveProblem.cpp "$engine|solver/[^\"]+" solver/SolveProblem.cpp
check export/ "$engine|solver/[^\"]+|export/[^\"]+" $(find export -maxdepth 1 \( -name '*.h' -o -name '*.cpp' \) | sort)
check checker/ "$engine|solver/[^\"]+|checker/[^\"]+" $(files_of checker)
[ $status -eq 0 ] && echo "check-layers: every engine include points to its own layer or a lower one"
exit $status
