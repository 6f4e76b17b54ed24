# Sourced by the package checks: check <description> <command...> runs the command,
# prints ok or FAIL with its output, and counts the failures. Needs $scratch.
failures=0
check() {
  local description=$1; shift
  if "$@" >"$scratch/output" 2>&1; then
    echo "ok    $description"
  else
    echo "FAIL  $description"; sed 's/^/      /' "$scratch/output"
    failures=$((failures + 1))
  fi
}
