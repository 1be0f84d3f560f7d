#!/bin/sh
# Installs the Debian packages a build needs; quiet and quick when they are present.
# Usage: scripts/deps.sh game|test|smoke|ci|windows|web|web-check|coverage|mutants|format
set -eu
want="build-essential cmake ninja-build pkg-config libpng-dev libfreetype-dev fonts-dejavu-core libsdl2-dev libopenal-dev"
# What the desktop smoke test needs: an X server, input, window dumps.
smoke="xvfb xdotool x11-apps x11-utils"
# The one clang-format release the sources are formatted with (scripts/format).
format="clang-format-16"
case "${1:-game}" in
    # appstream and lintian check the desktop's files and the Debian package.
    test) want="$want libgtest-dev libgmock-dev libbenchmark-dev $smoke appstream lintian" ;;
    smoke) want="$want $smoke" ;;
    coverage) want="$want libgtest-dev libgmock-dev lcov" ;;
    mutants) want="$want libgtest-dev libgmock-dev lld" ;;
    ci) want="$want libgtest-dev libgmock-dev libbenchmark-dev $smoke clang libclang-rt-14-dev $format" ;;
    format) want="$format" ;;
    # The cross compiler, GoogleTest's sources for the cross-built tests, and wine on
    # a virtual display to run them and the game.
    windows) want="$want $smoke g++-mingw-w64-x86-64-posix googletest wine wine64" ;;
    # Debian's emscripten for the browser build (the data archive is made natively).
    web) want="$want emscripten" ;;
    # Headless Chromium driven through Debian's selenium, for the browser check.
    web-check) want="$want emscripten chromium chromium-driver python3-selenium" ;;
esac
missing=""
for p in $want; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi
