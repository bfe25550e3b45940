#!/usr/bin/env bash
# Builds the update file reader fuzzers with clang and runs each on a scratch copy of its seeds.
# Usage: scripts/fuzz.sh [seconds per fuzzer, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build_dir=build-fuzz
readers=(updatefileline updatefileheader)

scripts/install-packages.sh cmake make clang libclang-rt-14-dev qtbase5-dev qttools5-dev \
    libqt5serialport5-dev
cmake -S . -B "$build_dir" -DCMAKE_CXX_COMPILER=clang++ -DFUZZERS=ON -DBUILD_TESTING=OFF
cmake --build "$build_dir" --parallel "$(nproc)" --target "${readers[@]/#/fuzz_}"

# New inputs go to a scratch copy of the seeds; logs and crashing inputs stay in the build
# directory. Value profiles reward inputs that get closer to the bounds the fuzzers check.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
figures='^(#[0-9]+.*DONE|Done|stat::number_of_executed_units|stat::average_exec_per_sec|SUMMARY)'
failed=0
for reader in "${readers[@]}"; do
    cp -r "tests/fuzz/corpus/$reader" "$scratch/$reader"
    log="$build_dir/fuzz_$reader.log"
    result="no crash"
    "$build_dir/tests/fuzz/fuzz_$reader" -max_total_time="$seconds" -use_value_profile=1 \
        -print_final_stats=1 -artifact_prefix="$build_dir/fuzz_$reader-" "$scratch/$reader" \
        >"$log" 2>&1 || { result="CRASH, see $log"; failed=1; }
    echo "== fuzz_$reader: $result; $(ls "$scratch/$reader" | wc -l) files in the corpus"
    grep -E "$figures|Broken rule|Test unit written" "$log" || true
done
exit $failed
