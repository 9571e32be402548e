# Sourced by the Wine checks of the packages: `check NAME COMMAND...` runs one check and prints
# PASS or FAIL with the end of its output; `finish` prints "N passed, N failed" and fails when
# any did. Needs $work, a scratch folder.
passed=0
failed=0
check() {
    if "${@:2}" >"$work/check.log" 2>&1; then
        passed=$((passed + 1))
        echo "PASS: $1"
    else
        failed=$((failed + 1))
        echo "FAIL: $1"
        sed 's/^/    /' "$work/check.log" | tail -n 20
    fi
}
finish() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
