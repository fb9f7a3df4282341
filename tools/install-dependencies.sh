#!/usr/bin/env bash
# Installs the Debian packages Corvane needs to build, run and test. Does nothing when every
# package is present; uses sudo when not run as root.
set -euo pipefail

PACKAGES=(
    # Compiler and build tools.
    g++ cmake ninja-build pkg-config
    # The game's libraries: SDL 1.2 (the maintained sdl12-compat), images, mixer, text, GL.
    libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libftgl-dev libfreetype-dev
    libglu1-mesa-dev libgl-dev zlib1g-dev
    # A free font for the font tests, and sox to make the sound tests' OGG files.
    fonts-dejavu-core sox libsox-fmt-base
    # The data pipeline: Debian's Python with PIL for art, fontTools for the fonts, NumPy for
    # sound synthesis, and oggenc for the OGG music.
    python3 python3-pil python3-fonttools python3-numpy vorbis-tools
    # Mesa's software renderer, so the game and its tests draw without a GPU.
    libgl1-mesa-dri libegl1 libegl-mesa0
    # A virtual X server for headless runs, and tools to drive and photograph the window.
    xvfb xauth xdotool x11-utils x11-apps imagemagick
    # Tests and benchmarks, and clang with its libFuzzer and sanitizer runtimes for fuzzing.
    libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
)

missing_packages() {
    local package
    for package in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            echo "$package"
        fi
    done
}

mapfile -t MISSING < <(missing_packages)
if [ "${#MISSING[@]}" -eq 0 ]; then
    exit 0
fi

echo "Installing: ${MISSING[*]}"
SUDO=()
if [ "$(id -u)" -ne 0 ]; then
    SUDO=(sudo)
fi
"${SUDO[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y --no-install-recommends "${MISSING[@]}"
