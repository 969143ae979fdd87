#!/usr/bin/env bash
# Tests the release as its users meet it: makes it with scripts/package, lists the Debian package and
# runs its league tool, then under Wine (a fresh prefix, on a virtual display) unpacks the zip into a
# new folder and runs both programs from there, installs silently, checks the files, the shortcut and
# the registry entries, opens a team through the .fbt association, installs beside another program
# that already opens .fbt files, and uninstalls silently. Where the machine cannot run 32-bit
# programs, a stand-in zip and installer are made from the same sources for 64-bit Windows, and the
# test says that the shipped ones were not run. Exits non-zero when a check fails.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"

failures=0
check() { # description, then a command that succeeds when the check holds
  if "${@:2}"; then
    echo "ok: $1"
  else
    echo "FAILED: $1"
    failures=$((failures + 1))
  fi
}
contains() { grep -qxF -- "$2" <<<"$1"; }

team_name="Robin Tester"
native_cli="$root/build/release/native/cli/squadwright-cli"

check_deb() {
  local deb=$1 unpacked=$2
  echo "== The Debian package"
  dpkg-deb --info "$deb"
  dpkg-deb --contents "$deb"
  check "the package declares libcsv" contains "$(dpkg-deb --field "$deb" Depends | tr ',' '\n' | sed 's/^ *//;s/ .*//')" libcsv3
  dpkg-deb --extract "$deb" "$unpacked"
  check "its manual page is there" test -s "$unpacked/usr/share/man/man1/squadwright-cli.1.gz"
  check "its league tool prints the version" contains "$("$unpacked/usr/bin/squadwright-cli" --version)" \
    "squadwright-cli $version"
}

# The data of a registry value (the key's default without a name); fails when it is not set.
reg_value() {
  local which=(/ve)
  [ $# -lt 2 ] || which=(/v "$2")
  wine reg query "$1" "${which[@]}" >"$tmp/reg.txt" 2>&1 || return 1
  local data
  data=$(tr -d '\r' <"$tmp/reg.txt" | sed -n 's/^ .*    REG_[A-Z_]*    \{0,1\}//p' | head -1)
  [ "$data" != "(value not set)" ] || return 1
  printf '%s' "$data"
}
reg_is() { [ "$(reg_value "${@:2}")" = "$1" ]; }
reg_is_set() { reg_value "$@" >/dev/null; }
reg_missing() { ! reg_is_set "$@"; }
key_missing() { ! wine reg query "$1" >/dev/null 2>&1; }
windows_path() { winepath -w "$1" 2>/dev/null; }

# Starts the editor as the shell does (in the background), and reads the team's first name from it.
editor_shows_team() {
  "$@" >"$tmp/editor.txt" 2>&1 &
  local shell_pid=$!
  wine "$probe" "$team_name" >"$tmp/probe.txt" 2>&1
  local status=$?
  wait "$shell_pid" || true
  tr -d '\r' <"$tmp/probe.txt"
  return "$status"
}

# Opens the team file as a double-click does: the open command of .fbt's file type, the file for %1.
# Wine's HKCR shows only the machine's classes, so "wine start" cannot see a per-user association;
# the lookup follows the user's classes as Windows merges them.
open_team_by_association() {
  local type command words
  type=$(reg_value "$classes\\.fbt") && command=$(reg_value "$classes\\$type\\shell\\open\\command") || return 1
  command=${command//%1/$(windows_path "$team")}
  eval "words=($command)"
  editor_shows_team wine "${words[@]}"
}

wait_until_gone() { # the uninstaller runs on from a copy of itself after its first process ends
  local waited
  for waited in $(seq 60); do
    [ -e "$1" ] || return 0
    sleep 0.5
  done
  return 1
}

programs=(README.txt LICENSE.txt THIRD-PARTY-NOTICES.txt squadwright-cli.exe squadwright.exe)
classes='HKCU\Software\Classes'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Squadwright'

check_zip() {
  echo "== The portable zip, unpacked into a new folder"
  local folder="$tmp/portable"
  mkdir "$folder"
  unzip -q "$zip" -d "$folder"
  wine "$folder/squadwright-cli.exe" --version >"$tmp/version.txt" 2>&1
  check "squadwright-cli.exe --version prints the version" contains "$(tr -d '\r' <"$tmp/version.txt")" \
    "squadwright-cli $version"
  check "the editor starts from there with a team and closes" \
    editor_shows_team wine "$folder/squadwright.exe" "$(windows_path "$team")"
  check "the folder holds only what was unpacked" contains "$(ls "$folder" | sort | tr '\n' ' ')" \
    "$(printf '%s\n' "${programs[@]}" | sort | tr '\n' ' ')"
}

install_silently() { wine "$setup" /S >"$tmp/setup.txt" 2>&1; }
uninstall_silently() { wine "$install_dir/uninstall.exe" /S >"$tmp/uninstall.txt" 2>&1 && wait_until_gone "$install_dir"; }

check_installed() {
  local name
  for name in "${programs[@]}" uninstall.exe; do
    check "installed $name" test -f "$install_dir/$name"
  done
  check "the Start menu shortcut" test -f "$shortcut"
  check "the team type's name" reg_is "Squadwright team" "$classes\\Squadwright.Team"
  check "the team type's icon" reg_is "$install_windows\\squadwright.exe,0" "$classes\\Squadwright.Team\\DefaultIcon"
  check "the team type opens the file given" \
    reg_is "\"$install_windows\\squadwright.exe\" \"%1\"" "$classes\\Squadwright.Team\\shell\\open\\command"
  check ".fbt lists the team type" reg_is "" "$classes\\.fbt\\OpenWithProgids" Squadwright.Team
  check "the Apps entry's name" reg_is Squadwright "$uninstall_key" DisplayName
  check "the Apps entry's version" reg_is "$version" "$uninstall_key" DisplayVersion
  check "the Apps entry's icon" reg_is "$install_windows\\squadwright.exe,0" "$uninstall_key" DisplayIcon
  check "the Apps entry's size" reg_is_set "$uninstall_key" EstimatedSize
  check "the Apps entry's quiet uninstall" \
    reg_is "\"$install_windows\\uninstall.exe\" /S" "$uninstall_key" QuietUninstallString
}

check_removed() {
  check "no installed file or folder is left" test ! -e "$install_dir"
  check "the shortcut is gone" test ! -e "$shortcut"
  check "the team type is gone" key_missing "$classes\\Squadwright.Team"
  check ".fbt no longer lists it" reg_missing "$classes\\.fbt\\OpenWithProgids" Squadwright.Team
  check "the Apps entry is gone" key_missing "$uninstall_key"
  check "the team file is untouched" test "$(sha256sum <"$team")" = "$team_sum"
}

check_installer() {
  echo "== The installer"
  local local_data
  local_data=$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
  install_windows="$local_data\\Programs\\Squadwright"
  install_dir=$(winepath -u "$install_windows" 2>/dev/null)
  shortcut="$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')" 2>/dev/null)"
  shortcut="$shortcut/Microsoft/Windows/Start Menu/Programs/Squadwright.lnk"

  check "/S installs" install_silently
  check_installed
  check ".fbt opens with Squadwright where nothing else did" reg_is Squadwright.Team "$classes\\.fbt"
  check "opening the team file through the association shows the team" \
    open_team_by_association
  check "/S uninstalls" uninstall_silently
  check_removed
  check ".fbt keeps no default of ours" reg_missing "$classes\\.fbt"

  echo "== The installer beside another program that opens .fbt files"
  wine reg add "$classes\\.fbt" /ve /d Other.Team /f >/dev/null 2>&1
  check "/S installs" install_silently
  check "/S installs again over the installed version" install_silently
  check_installed
  check "the other program stays the .fbt default" reg_is Other.Team "$classes\\.fbt"
  check "/S uninstalls" uninstall_silently
  check_removed
  check "the other program is still the .fbt default" reg_is Other.Team "$classes\\.fbt"
}

# Runs on the virtual display, with the prefix made and Wine set up.
wine_checks() {
  wineserver -p
  wine cmd /c ver >/dev/null 2>&1
  printf 'Slot,Player Name\nQB,%s\n' "$team_name" >"$tmp/team.csv"
  team="$tmp/team.fbt"
  "$native_cli" import "$tmp/team.csv" -o "$team" 2>/dev/null
  team_sum=$(sha256sum <"$team")
  check_zip
  check_installer
  wineserver -k
  [ "$failures" -eq 0 ]
}

if [ "${1:-}" = "--wine-checks" ]; then
  zip=$2 setup=$3 probe=$4 version=$5 tmp=$6
  wine_checks
  exit
fi

"$root/scripts/package"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/release/native/CMakeCache.txt")
tmp=$(mktemp -d /tmp/squadwright-release.XXXXXX)
check_deb "$root/dist/squadwright-cli_${version}_amd64.deb" "$tmp/deb"

choose_wine_build
if [ "$wine_build" = "$windows_build" ]; then
  zip="$root/dist/squadwright-$version-win32.zip"
  setup="$root/dist/squadwright-$version-setup.exe"
  cmake --build "$wine_build" --target editor_probe
else
  cmake -S "$root" -B "$wine_build" -DSQUADWRIGHT_RELEASE=ON >/dev/null
  cmake --build "$wine_build" --target release_windows editor_probe
  zip="$wine_build/release/squadwright-$version-win64.zip"
  setup="$wine_build/release/squadwright-$version-win64-setup.exe"
fi
make_wine_prefix
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX" "$WINEPREFIX.log" "$tmp"' EXIT
status=0
[ "$failures" -eq 0 ] || status=1
"${wine_pin[@]}" xvfb-run -a -s "-screen 0 1024x768x24" "$0" --wine-checks "$zip" "$setup" \
  "$wine_build/tests/package/editor_probe.exe" "$version" "$tmp" || status=1
if [ "$wine_build" != "$windows_build" ]; then
  echo "**********************************************************************************************"
  echo "NOT RUN: the shipped 32-bit installer and programs. This machine cannot run 32-bit programs;"
  echo "the installer and zip checks above ran a 64-bit stand-in made from the same sources and .nsi."
  echo "**********************************************************************************************"
fi
exit "$status"
