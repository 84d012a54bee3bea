# Sourced by scripts/test and the test scripts it runs: what a run leaves
# out, and why. Each part left out is said when it happens and noted, a line
# each, in the file $DRAVIK_SKIP_LOG names (scripts/test sets it and sums the
# notes up once, at its end; without it they are only said).

# The ordinary user that runs, as root, the tests that need not being root.
skips_ordinary_user=dravik-test

# skipped WHERE WHAT WHY
skipped() {
  echo "$1: SKIPPING $2: $3"
  if [ -n "${DRAVIK_SKIP_LOG:-}" ]; then printf '%s: %s: %s\n' "$1" "$2" "$3" >>"$DRAVIK_SKIP_LOG"; fi
}

# The summary scripts/test ends with.
skips_summary() {
  echo
  if [ -s "${DRAVIK_SKIP_LOG:-}" ]; then
    echo "Skipped in this run ($(awk '!seen[$0]++' "$DRAVIK_SKIP_LOG" | wc -l)):"
    awk '!seen[$0]++ { print "  " $0 }' "$DRAVIK_SKIP_LOG"
  else
    echo "Nothing was skipped in this run."
  fi
}

# The skips a ctest JUnit report holds, a line each: "gtest", the ctest test,
# the test and why, for a GoogleTest test ctest counted as skipped
# (GTEST_SKIP prints "file:line: Skipped" and the reason); "qtest", the ctest
# test, the function and why, for a Qt Test function skipped (QSKIP) in a
# program that ran.
skips_in_junit() {
  [ -f "$1" ] || return 0
  awk '
    function plain(s) {
      gsub(/&lt;/, "<", s); gsub(/&gt;/, ">", s); gsub(/&quot;/, "\"", s); gsub(/&apos;/, "\047", s)
      gsub(/&amp;/, "\\&", s)
      return s
    }
    { sub(/\r$/, "") }
    /<testcase / {
      test = $0; sub(/^[^"]*"/, "", test); sub(/".*/, "", test); test = plain(test)
      skipped = 0; reason = ""; reason_next = 0
      next
    }
    /<skipped / { skipped = 1; next }
    skipped && reason_next { reason = $0; reason_next = 0; next }
    skipped && / Skipped$/ { reason_next = 1; next }
    /^(<system-out>)?SKIP   : / {
      line = $0; sub(/^.*SKIP   : /, "", line)
      match(line, /^[^(]*\([^)]*\)/)
      what = substr(line, 1, RLENGTH); why = substr(line, RLENGTH + 1); sub(/^ +/, "", why)
      print "qtest\t" test "\t" plain(what) "\t" (why == "" ? "no reason given" : plain(why))
    }
    /<\/testcase>/ {
      if (skipped) print "gtest\t" test "\t" test "\t" (reason == "" ? "no reason given" : plain(reason))
      skipped = 0
    }
  ' "$1"
}

# skips_as_ordinary_user BUILD FOUND: runs the GoogleTest tests listed in
# FOUND (skips_in_junit's lines) once more as the ordinary user, creating
# it when it is missing, and leaves in FOUND only what skipped there too.
# Fails when one of them fails there.
skips_as_ordinary_user() {
  local build="$1" found="$2" user="$skips_ordinary_user"
  if ! id "$user" >/dev/null 2>&1 &&
     ! useradd --system --no-create-home --shell /usr/sbin/nologin "$user" >/dev/null 2>&1; then
    echo "Cannot create the user $user: the tests skipped as root are not run as an ordinary user"
    return 0
  fi
  local names regex work status=0
  names="$(awk -F '\t' '$1 == "gtest" { print $2 }' "$found")"
  regex="^($(sed 's/[.+*?()|^$]/\\&/g' <<<"$names" | paste -sd '|'))\$"
  work="$(mktemp -d)"
  chmod 755 "$work"
  # Each test's program and GoogleTest filter, from ctest's own listing.
  ctest --test-dir "$build" --show-only=json-v1 -R "$regex" | awk '
    /"command" :/ { in_command = 1; program = ""; next }
    in_command && /\]/ { in_command = 0; if (program != "" && filter != "") print program "\t" filter; filter = ""; next }
    in_command && /"/ {
      value = $0; sub(/^[^"]*"/, "", value); sub(/",?$/, "", value)
      if (program == "") program = value
      else if (value ~ /^--gtest_filter=/) { sub(/^--gtest_filter=/, "", value); filter = value }
    }
  ' >"$work/commands"
  local program filters ran=()
  while IFS= read -r program; do
    filters="$(awk -F '\t' -v p="$program" '$1 == p { print $2 }' "$work/commands" | paste -sd ':')"
    local run="$program"
    # A build folder the user cannot read: a copy of the program (the
    # engine's test programs need no files of the build folder).
    if ! runuser -u "$user" -- test -x "$program"; then
      run="$work/$(basename "$program")"
      install -m 755 "$program" "$run"
    fi
    if ! (cd "$work" && runuser -u "$user" -- env HOME="$work" "$run" --gtest_filter="$filters") >"$work/output" 2>&1; then
      cat "$work/output"
      echo "Failed as the ordinary user $user: $(basename "$program") --gtest_filter=$filters"
      status=1
    fi
    while IFS= read -r test; do ran+=("$test"); done < <(sed -n 's/^\[       OK \] \([^ ]*\) (.*/\1/p' "$work/output")
  done < <(cut -f 1 "$work/commands" | sort -u)
  if [ ${#ran[@]} -gt 0 ]; then
    echo "Run as the ordinary user $user, as root skips them: ${ran[*]}"
    printf '%s\n' "${ran[@]}" >"$work/ran"
    awk -F '\t' 'NR == FNR { ran[$0] = 1; next } !($1 == "gtest" && ran[$3])' "$work/ran" "$found" >"$work/left"
    cp "$work/left" "$found"
  fi
  rm -rf "$work"
  return "$status"
}

# ctest_noting_skips [--also-as-user] WHERE BUILD [CTEST-ARGUMENTS...]: runs
# the tests of the build folder and notes each one skipped, and each Qt Test
# function skipped, with its reason. With --also-as-user, run as root, the
# GoogleTest tests skipped are run once more as an ordinary user, so that
# one run covers the tests that need root and those that need not being
# root; only what skipped both ways is noted. Returns ctest's status, or 1
# when a test failed as the ordinary user.
ctest_noting_skips() {
  local as_user=0
  if [ "$1" = --also-as-user ]; then as_user=1; shift; fi
  local where="$1" build="$2" junit found status=0
  shift 2
  junit="$(mktemp)"
  found="$(mktemp)"
  ctest --test-dir "$build" --output-junit "$junit" --test-output-size-passed 4194304 \
    --test-output-size-failed 4194304 "$@" || status=$?
  skips_in_junit "$junit" >"$found"
  if [ "$as_user" = 1 ] && [ "$(id -u)" = 0 ] && grep -q '^gtest' "$found"; then
    skips_as_ordinary_user "$build" "$found" || status=1
  fi
  local kind test what why
  while IFS=$'\t' read -r kind test what why; do
    if [ -n "${DRAVIK_SKIP_LOG:-}" ]; then printf '%s: %s: %s\n' "$where" "$what" "$why" >>"$DRAVIK_SKIP_LOG"; fi
  done <"$found"
  rm -f "$junit" "$found"
  return "$status"
}
