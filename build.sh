#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine: installs what is missing,
# builds, and runs the demo, the tests, the sanitizer suite or the fuzzers.
#   ./build.sh demo    build and run the main job on the embedded demo
#   ./build.sh test    build and run the whole test suite
#   ./build.sh asan    the test suite under AddressSanitizer + UBSan
#   ./build.sh ci      what CI runs: test, asan, fuzz (short), install check
set -euo pipefail
cd "$(dirname "$0")"
top=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)

packages=(cmake g++ make pkg-config git ca-certificates
  libsqlite3-dev libcups2-dev nlohmann-json3-dev libcli11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev fonts-vlgothic
  cups-daemon cups-client
  postgresql-15 postgresql-client-15 libpq-dev
  clang libclang-rt-14-dev)

install_deps() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "build.sh: installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_build() {  # dir, extra cmake args...
  local dir=$1; shift
  cmake -S "$top" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
}

run_tests() {  # dir
  ctest --test-dir "$1" --output-on-failure -j"$jobs" --timeout 600
}

demo() {
  configure_build build
  if [ -x build/tools/quorprn ] && [ -f demo/demo.sh ]; then
    bash demo/demo.sh build
  else
    build/examples/quorprn_demo "$top/build/demo-registry.db"
  fi
}

case "${1:-}" in
  demo) install_deps; demo ;;
  test) install_deps; configure_build build; run_tests build ;;
  asan) install_deps; configure_build build-asan -DQUORPRN_SANITIZE=ON -DQUORPRN_BUILD_BENCH=OFF
        ASAN_OPTIONS=detect_leaks=1 run_tests build-asan ;;
  fuzz) install_deps; [ -f fuzz/run.sh ] && bash fuzz/run.sh "${2:-60}" ;;
  ci)   install_deps
        configure_build build; run_tests build
        configure_build build-asan -DQUORPRN_SANITIZE=ON -DQUORPRN_BUILD_BENCH=OFF
        ASAN_OPTIONS=detect_leaks=1 run_tests build-asan
        if [ -f fuzz/run.sh ]; then bash fuzz/run.sh 60; fi
        if [ -f examples/check-install.sh ]; then bash examples/check-install.sh build; fi ;;
  *) echo "usage: ./build.sh demo|test|asan|fuzz [seconds]|ci" >&2; exit 2 ;;
esac
