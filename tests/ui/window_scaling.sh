#!/usr/bin/env bash
# Runs the main window's size checks of ui_tests (WindowHoldsItsPages) at the scalings and fonts a
# user meets: in a Wine prefix of its own, first at 96 DPI without Wine's fonts (no Tahoma, so that
# "MS Shell Dlg" falls back to a wider font), then with them at 96, 120 and 144 DPI. Wine takes the DPI
# (LogPixels) when its wineserver starts, so each setting gets a new server; the display is a virtual
# one of its own, large enough for the window at 144 DPI (Wine keeps a window within the screen).
# Usage: window_scaling.sh UI_TESTS_EXE
set -euo pipefail
ui_tests=$1
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"

# Wine as the test run set it up (scripts/test), or else as scripts/test would.
[ -n "${WINEARCH:-}" ] || choose_wine_build >/dev/null
make_wine_prefix
log="$WINEPREFIX.log"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX" "$log" "$WINEPREFIX.out"' EXIT

# Sets the prefix's DPI where Wine reads it, then lets the server end so that the next one takes it.
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >>"$log" 2>&1
  wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' /v LogPixels \
    /t REG_DWORD /d "$1" /f >>"$log" 2>&1
  wineserver -w
}

# Runs the checks at DPI $1 with fonts $2 (usual or fallback), which the tests confirm.
status=0
check() {
  set_dpi "$1"
  echo "== $1 DPI, $2 font"
  SQUADWRIGHT_PREFIX_DPI=$1 SQUADWRIGHT_PREFIX_FONTS=$2 on_virtual_display 1600x1200 \
    wine "$ui_tests" --gtest_filter="WindowHoldsItsPages.*" >"$WINEPREFIX.out" 2>&1 || status=1
  grep -v -e '^X connection to' -e '^[0-9a-f]*:err:' "$WINEPREFIX.out" || true
}

check 96 fallback
if [ ! -f /usr/share/wine/fonts/tahoma.ttf ]; then
  echo "Wine's fonts (package fonts-wine) are missing: scripts/install-deps installs them." >&2
  exit 1
fi
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
check 96 usual
check 120 usual
check 144 usual
exit "$status"
