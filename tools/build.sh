#!/usr/bin/env bash
# Installs what the project needs when it is missing, then builds.
#
#   tools/build.sh run    build, then start the program
#   tools/build.sh test   build, then run every test: the normal build, the core
#                         tests again under AddressSanitizer and UBSan and on
#                         the plain fallbacks of the SSE2 paths, and the
#                         decoders' fuzz targets for a bounded time
#   tools/build.sh build  build only
#
# Run as root on Debian 12 (or with sudo); runs again are incremental.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

# Every Debian package the project builds, tests or benchmarks with.
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev
  libpng-dev libjpeg62-turbo-dev libtiff-dev liblcms2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-liberation
  xvfb xauth
)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "== installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
}

jobs=$(nproc)

# A compiler cache, where the machine has one, makes rebuilds of unchanged files free.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

configure_and_build() {  # dir, cmake options...
  local dir=$1
  shift
  cmake -S "$top" -B "$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

run_fuzzers() {
  [ -f "$top/fuzz/CMakeLists.txt" ] || return 0
  configure_and_build "$top/build-fuzz" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DWRIMPLE_BUILD_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
  local seconds=${WRIMPLE_FUZZ_SECONDS:-30}
  for fuzzer in "$top"/build-fuzz/fuzz/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    local name corpus
    name=$(basename "$fuzzer")
    corpus=$(mktemp -d)
    cp -r "$top/fuzz/corpus/${name#fuzz_}/." "$corpus/" 2>/dev/null || true
    echo "== $name for ${seconds}s"
    "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=0 \
      "$corpus" "$top/fuzz/corpus/${name#fuzz_}" 2>"$corpus.log" || {
      tail -50 "$corpus.log"
      echo "== $name found a problem"
      return 1
    }
    # libFuzzer's last line: inputs run, coverage and inputs a second.
    grep -E '^#[0-9]+[[:space:]]+DONE' "$corpus.log" | tail -1 || true
    rm -rf "$corpus" "$corpus.log"
  done
}

mode=${1:-build}
install_missing
configure_and_build "$top/build"
case "$mode" in
  build) ;;
  run)
    if [ -x "$top/build/src/app/wrimple" ]; then
      exec "$top/build/src/app/wrimple" "${@:2}"
    fi
    echo "== the desktop program is not built yet: running the example batch script instead"
    (cd "$top/examples" && "$top/build/src/batch/wrimple-batch" --seed 1 hello.wb)
    echo "== wrote $top/examples/hello.png"
    ;;
  test)
    (cd "$top/build" && QT_QPA_PLATFORM=offscreen ctest -j "$jobs" --output-on-failure)
    echo "== core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
    configure_and_build "$top/build-asan" -DWRIMPLE_SANITIZE=ON -DWRIMPLE_BUILD_APP=OFF \
      -DWRIMPLE_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
    (cd "$top/build-asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      LSAN_OPTIONS=suppressions="$top/tools/lsan.supp" QT_QPA_PLATFORM=offscreen \
      ctest -j "$jobs" --output-on-failure -L core)
    echo "== core tests on the plain fallbacks of the SSE2 paths"
    configure_and_build "$top/build-plain" -DWRIMPLE_SIMD=OFF -DWRIMPLE_BUILD_APP=OFF -DWRIMPLE_BUILD_BENCH=OFF
    (cd "$top/build-plain" && QT_QPA_PLATFORM=offscreen ctest -j "$jobs" --output-on-failure -L core)
    run_fuzzers
    echo "== all tests passed"
    ;;
  *)
    echo "usage: tools/build.sh run|test|build" >&2
    exit 2
    ;;
esac
