# Shared by the set-up scripts: the repository root and the build steps.

CORVANE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CORVANE_XVFB_SCREEN="-screen 0 1024x768x24"

# configure_and_build BUILD_DIR [CMAKE_OPTION...]: configures with Ninja and builds everything.
configure_and_build() {
    local build_dir="$1"
    shift
    cmake -S "$CORVANE_ROOT" -B "$build_dir" -G Ninja "$@"
    cmake --build "$build_dir" -j "$(nproc)"
}

# run_headless COMMAND [ARGUMENT...]: runs the command on a private virtual X server, with SDL
# drawing to the real framebuffer and silent audio.
run_headless() {
    SDL12COMPAT_OPENGL_SCALING=0 SDL_AUDIODRIVER=dummy xvfb-run -a -s "$CORVANE_XVFB_SCREEN" "$@"
}

# build_release: the optimised game alone, in build/release.
build_release() {
    configure_and_build "$CORVANE_ROOT/build/release" -DCMAKE_BUILD_TYPE=Release \
        -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCHMARKS=OFF
}
