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

# Chooses the Windows build that runs under Wine here, in wine_build, and sets Wine up for it. Where
# the machine runs 32-bit programs, that is the 32-bit build. A kernel without 32-bit support refuses
# Wine's 32-bit loader ("Exec format error"); there the same sources are built for 64-bit Windows
# and run by Wine's 64-bit loader in a 64-bit prefix.
choose_wine_build() {
  export WINEDEBUG=-all
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    wine_build=$windows_build
    export WINEARCH=win32
    return
  fi
  echo "This machine cannot run 32-bit programs: Wine runs a 64-bit build of the same sources."
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

# The 32-bit Windows build, the editor and the command-line tool that ship; where it cannot run here,
# only those two, and the 64-bit build that runs instead. Call it after choose_wine_build.
build_windows() {
  cmake -S "$root" -B "$windows_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
  if [ "$wine_build" = "$windows_build" ]; then
    cmake --build "$windows_build"
    return
  fi
  cmake --build "$windows_build" --target squadwright squadwright-cli
  cmake -S "$root" -B "$windows64_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
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
