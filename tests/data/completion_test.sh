#!/usr/bin/env bash
# The completion offers kivo-batch's commands, a command's options and an
# option's choices, all read from the program's own help.
#   completion_test.sh COMPLETION_FILE BATCH_DIR
set -u
export PATH="$2:$PATH"
# shellcheck source=/dev/null
source "$1"
fail=0
expect() {  # expect "WORDS..." "EXPECTED"
    read -r -a COMP_WORDS <<< "$1"
    [[ "$1" == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _kivo_batch
    local got="${COMPREPLY[*]}"
    if [ "$got" != "$2" ]; then
        echo "completing '$1': got '$got', expected '$2'"
        fail=1
    fi
}
expect "kivo-batch gr" "grade"
expect "kivo-batch --ver" "--version"
expect "kivo-batch grade x.kex --fo" "--format"
expect "kivo-batch grade x.kex --format " "text csv json"
expect "kivo-batch run p.smp --window " "30min 1h 2h 4h"
expect "kivo-batch run p.smp --test l" "load"
expect "kivo-batch check " ""
exit $fail
