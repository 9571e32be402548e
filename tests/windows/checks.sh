# Sourced by the Wine checks of the packages: `check NAME COMMAND...` runs one step and, when it
# fails, prints FAIL with the end of its output; `finish` ends the script, failed when any step
# did. Needs $work, a scratch folder.
failures=0
check() {
    if "${@:2}" >"$work/check.log" 2>&1; then
        echo "ok: $1"
    else
        failures=$((failures + 1))
        echo "FAIL: $1"
        sed 's/^/    /' "$work/check.log" | tail -n 20
    fi
}
finish() {
    [ "$failures" -eq 0 ]
}
