# Shared by the run and test scripts: where things are built and how Wine is set up.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native_build="$root/build/native"
windows_build="$root/build/windows"
fuzz_build="$root/build/fuzz"

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
  wineboot -i >"$WINEPREFIX.log" 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$WINEPREFIX.log" 2>&1
  wineserver -w
}
