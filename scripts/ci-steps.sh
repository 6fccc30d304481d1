#!/usr/bin/env bash
# The steps of CI, in order, each timed. Sourced by .ci/run; a step that fails ends the run.
# Each step is also what a developer runs locally to check the same thing (see README).

# Runs one named step and prints how long it took.
step() {
  local name="$1"
  shift
  local start=$SECONDS
  echo "=== $name"
  "$@"
  echo "=== $name: done in $((SECONDS - start)) s"
}

ci_steps() {
  step "Build with warnings as errors, run all tests" env VESKAR_WERROR=ON scripts/test.sh
  step "Format check" scripts/check-format.sh
  step "Dialect check (clang-tidy)" scripts/check-dialect.sh build
  step "All tests under AddressSanitizer and UndefinedBehaviorSanitizer" env VESKAR_SANITIZE=address scripts/test.sh
  step "Fuzz the music player for 60 s" scripts/fuzz.sh 60
  step "Windows cross-build with warnings as errors" env VESKAR_WERROR=ON scripts/build-windows.sh
  step "The Windows build under wine" scripts/wine-smoke.sh
  # The suite has run above: the package is built without it, and checked by lintian.
  step "Debian package and lintian" env DEB_BUILD_OPTIONS=nocheck scripts/build-deb.sh
}
