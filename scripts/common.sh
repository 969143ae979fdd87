# Shared by the run and test scripts: where things are built and how Wine is set up.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native_build="$root/build/native"
windows_build="$root/build/windows"
fuzz_build="$root/build/fuzz"

# Wine pinned to one CPU: every call that needs the wineserver is a round trip between two
# processes, about three times cheaper when both run on the same CPU. Xvfb, the wineserver and the
# programs started under "${wine_pin[@]}" inherit it. SQUADWRIGHT_WINE_CPU picks another CPU.
wine_pin=()
if command -v taskset >/dev/null 2>&1; then
  wine_pin=(taskset -c "${SQUADWRIGHT_WINE_CPU:-0}")
fi

build_windows() {
  cmake -S "$root" -B "$windows_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
  cmake --build "$windows_build"
}

# A fresh 32-bit Wine prefix in a temporary folder, without the window manager wait on close.
make_wine_prefix() {
  export WINEARCH=win32 WINEDEBUG=-all
  export WINEPREFIX
  WINEPREFIX=$(mktemp -d /tmp/squadwright-wine.XXXXXX)
  "${wine_pin[@]}" wineboot -i >"$WINEPREFIX.log" 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$WINEPREFIX.log" 2>&1
  wineserver -w
}
