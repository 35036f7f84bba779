#!/usr/bin/env bash
# Sets Quintara up on a Debian 12 machine and then either starts it or runs its tests.
#   ./setup.sh run    install what is missing, build, lay out ./portable and start the program
#   ./setup.sh test   install what is missing, build and run the whole test suite
# Run as root, or as a user who may use sudo.
set -euo pipefail

mode=${1:-}
if [[ "$mode" != run && "$mode" != test ]]; then
    echo "Uso: $0 run | test" >&2
    exit 2
fi

here=$(cd "$(dirname "$0")" && pwd)
cd "$here"

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
    sudo_cmd=(sudo)
fi

packages=(
    # build
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev libgl-dev libvulkan-dev
    # the backup copies (zip, and the fast deflate they are packed with) and the .xlsx exports;
    # the bank statements given as legacy .xls workbooks
    libzip-dev libxlsxwriter-dev libisal-dev libfreexl-dev
    # Qt's own texts in Italian, compiled into the program
    qt6-translations-l10n
    # run: windowing, pictures, camera back-ends and the fonts the screens name
    qt6-qpa-plugins libqt6svg6 libqt6multimedia6 gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    fonts-liberation fonts-liberation2 fonts-dejavu-core fonts-wine fontconfig
)
if [[ "$mode" == test ]]; then
    # the sanitizer build and the fuzz target are built with clang; PDF text checks use pdftotext
    packages+=(clang libclang-rt-14-dev poppler-utils)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if ((${#missing[@]})); then
    echo "Installazione dei pacchetti mancanti: ${missing[*]}"
    "${sudo_cmd[@]}" apt-get update
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)

if [[ "$mode" == run ]]; then
    cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
    # The program and its manual, printed from resources/manual with pictures of the real screens.
    cmake --build build-release -j"$jobs" --target quintara quintara-manual-pdf
    # The portable folder: the program and everything it writes live together.
    mkdir -p portable
    install -m 755 build-release/quintara portable/quintara
    # The camera library, loaded by the webcam screen when the camera is switched on.
    install -m 755 build-release/quintara-camera.so portable/quintara-camera.so
    install -m 644 build-release/Guida.pdf portable/Guida.pdf
    if [[ ! -e portable/unins000.dll ]]; then
        # The first-access password "benvenutissimo", scrambled as the program stores it.
        printf '[Accesso]\r\nValore=5D602824792B0896A26F06075021\r\n' > portable/unins000.dll
    fi
    if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
        echo "Quintara è pronto in $here/portable, ma non c'è uno schermo su cui avviarlo (DISPLAY non impostato)." >&2
        exit 1
    fi
    exec portable/quintara
fi

# Warnings are errors here, so that no new one can land.
export QUINTARA_WERROR=ON
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUINTARA_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"
# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then a short bounded fuzz run over everything that parses bytes from outside.
# Leak checking stops every thread the way a debugger does, which some build
# sandboxes refuse at random; tools/run-sanitized-tests.sh run by hand checks leaks.
ASAN_OPTIONS=detect_leaks=0:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1 \
    JOBS="$jobs" tools/run-sanitized-tests.sh -j"$jobs"
JOBS="$jobs" tools/run-fuzz.sh 5 -detect_leaks=0
