#!/bin/bash
# Installs what is needed, builds, and runs every test: once as built for
# use, once more with AddressSanitizer and UndefinedBehaviorSanitizer, where
# any report fails the run; then the tests of the workbench's threads (the job
# layer, the runner, the series and the windows) under ThreadSanitizer.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
jobs=$(nproc)

scripts/install-deps.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTCW_SANITIZE=ON
cmake --build build-sanitize -j"$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$top/scripts/lsan-toolkit.supp:print_suppressions=0
ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTCW_SANITIZE_THREAD=ON
cmake --build build-tsan -j"$jobs" --target jobs_tests c45_tests series_tests gui_tests c45_learner tcw
export TSAN_OPTIONS="halt_on_error=1 suppressions=$top/scripts/tsan-toolkit.supp"
ctest --test-dir build-tsan --output-on-failure -j"$jobs" -R '^(JobService|FakeC45|C45Runner|Series|gui_tests)'
