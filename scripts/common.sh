# Shared by the run and test scripts: where things are built and how Wine is set up.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native_build="$root/build/native"
windows_build="$root/build/windows"
windows64_build="$root/build/windows64"
fuzz_build="$root/build/fuzz"
bench_build="$root/build/bench"

# Wine pinned to one CPU: every call that needs the wineserver is a round trip between two
# processes, about three times cheaper when both run on the same CPU. Xvfb, the wineserver and the
# programs started under "${wine_pin[@]}" inherit it. SQUADWRIGHT_WINE_CPU picks another CPU.
wine_pin=()
if command -v taskset >/dev/null 2>&1; then
  wine_pin=(taskset -c "${SQUADWRIGHT_WINE_CPU:-0}")
fi

# Both Windows builds ship, and neither proves the other's linking or structure sizes, so the tests
# run on each where this machine can run it: the 32-bit build in a 32-bit prefix, the 64-bit build
# in a 64-bit prefix. A kernel without 32-bit support refuses Wine's 32-bit loader ("Exec format
# error"); there only the 64-bit build runs.
runs_32bit_programs() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
}
windows_bits=(64)
if runs_32bit_programs; then
  windows_bits=(32 64)
fi

# Sets Wine up for the build of 32 or 64 bits, which it names in wine_build. Call it in a subshell
# when both are used, one after the other.
use_wine_for() {
  export WINEDEBUG=-all
  if [ "$1" = 32 ]; then
    wine_build=$windows_build
    export WINEARCH=win32
    return
  fi
  wine_build=$windows64_build
  export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  # wine, wineboot and the other launchers would pick the 32-bit loader because it is installed.
  local loader="$root/build/wine64-loader"
  mkdir -p "$loader"
  for name in wine wine-stable; do
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$loader/$name"
    chmod +x "$loader/$name"
  done
  export PATH="$loader:$PATH"
}

# The Windows build that ./scripts/run and the screenshots use: the 32-bit one that ships, or where
# the machine cannot run it the 64-bit one.
choose_wine_build() {
  if [ "${windows_bits[0]}" = 64 ]; then
    echo "This machine cannot run 32-bit programs: Wine runs a 64-bit build of the same sources."
  fi
  use_wine_for "${windows_bits[0]}"
}

configure_windows() { # 32 or 64
  local build=$windows_build processor=i686
  [ "$1" = 32 ] || build=$windows64_build processor=x86_64
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$processor.cmake" >/dev/null
}

# The build that Wine runs here, and the 32-bit editor and command-line tool that ship where that is
# the 64-bit build. Call it after choose_wine_build.
build_windows() {
  configure_windows 32
  if [ "$wine_build" = "$windows_build" ]; then
    cmake --build "$windows_build"
    return
  fi
  cmake --build "$windows_build" --target squadwright squadwright-cli
  configure_windows 64
  cmake --build "$windows64_build"
}

# Both Windows builds, every target (the tests run on each that this machine runs).
build_windows_both() {
  configure_windows 32
  cmake --build "$windows_build"
  configure_windows 64
  cmake --build "$windows64_build"
}

# A fresh Wine prefix of the chosen kind in a temporary folder, without the window manager wait on
# close, and without a crash debugger: a program that crashes prints Wine's "Unhandled ..." line and
# ends at once, where Wine's debugger would keep it (and the test's output pipe) open.
make_wine_prefix() {
  export WINEPREFIX
  WINEPREFIX=$(mktemp -d /tmp/squadwright-wine.XXXXXX)
  "${wine_pin[@]}" wineboot -i >"$WINEPREFIX.log" 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$WINEPREFIX.log" 2>&1
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f \
    >>"$WINEPREFIX.log" 2>&1
  wineserver -w
}

# Runs a command on a virtual display of the given size (WIDTHxHEIGHT) with one wineserver for the
# whole run, in the prefix set up before: the server is started first and kept (-p), Wine's own
# start-up is done once (cmd /c ver), so that every program the command starts finds both ready, and
# the server is ended afterwards. Xvfb, the wineserver and the programs are pinned as "${wine_pin[@]}"
# says. Returns the command's exit status.
on_virtual_display() { # SIZE COMMAND [ARGUMENT...]
  local size=$1
  shift
  "${wine_pin[@]}" xvfb-run -a -s "-screen 0 ${size}x24" sh -c \
    'wineserver -p; wine cmd /c ver >/dev/null 2>&1; "$@"; rc=$?; wineserver -k; exit $rc' sh "$@"
}
