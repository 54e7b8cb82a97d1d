# Shared by scripts/run and scripts/test: install what is missing, configure, build.

VESKO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
VESKO_PACKAGES=(
    cmake make g++ pkg-config
    qt6-base-dev libgl1-mesa-dev libicu-dev
    libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev
    clang clang-format libclang-rt-14-dev
    xvfb xauth
    dpkg-dev desktop-file-utils
    ccache
)

vesko_install_packages() {
    local missing=()
    for p in "${VESKO_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# Every build of the scripts goes through ccache when it is there: the three builds of
# scripts/test (release, fuzz, sanitizers) and a fresh clone in another folder then
# compile only what changed. Paths are taken relative to the checkout, so clones share
# the cache.
vesko_use_ccache() {
    command -v ccache >/dev/null || return 0
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache
    export CCACHE_BASEDIR="$VESKO_ROOT"
    export CCACHE_NOHASHDIR=1
}

# vesko_build <build-dir> [targets...]: configures (tests and benchmarks included, so that
# scripts/run and scripts/test share one build folder) and builds the targets, or all.
vesko_build() {
    local dir="$1"; shift
    cmake -S "$VESKO_ROOT" -B "$VESKO_ROOT/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVESKO_BUILD_UI=ON -DVESKO_BUILD_TESTS=ON -DVESKO_BUILD_BENCH=ON >/dev/null
    local targets=()
    for t in "$@"; do targets+=(--target "$t"); done
    cmake --build "$VESKO_ROOT/$dir" -j"$(nproc)" "${targets[@]}"
}
