# Shared by the shell tests: a scratch folder and a checker that counts.
# Sourced with the program under test as $1.
set -u
quillbook="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

check() {  # name expected actual
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $1"
    echo "  expected: $(printf '%s' "$2" | od -c | head -20)"
    echo "  actual:   $(printf '%s' "$3" | od -c | head -20)"
  fi
}

to_cp932() { iconv -f UTF-8 -t CP932; }

# The last line of a test script.
report() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
