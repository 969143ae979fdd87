#!/usr/bin/env bash
# Tests the release as its users meet it: makes it with scripts/package; lists the Debian package,
# runs lintian on it and its league tool, and reads its manual page; then, under Wine in a fresh
# prefix of each kind this machine runs (32-bit and 64-bit, on a virtual display), unpacks the zip
# of that kind into a new folder and runs both programs from there, installs silently and checks
# that the installer put that kind's programs in place with the shortcut and registry entries, opens
# a team through the .fbt association, installs beside another program that already opens .fbt
# files, updates an installation of release 2.0 (32-bit programs) in place, and uninstalls silently
# as README.txt shows, which returns once everything is removed. Where the machine cannot
# run 32-bit programs, a 64-bit stand-in installer is made from the same sources, and the test says
# that the shipped one was not run. Exits non-zero when a check fails.
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
  if command -v lintian >/dev/null; then
    lintian --display-info --pedantic --fail-on error,warning "$deb" >"$tmp/lintian.txt" 2>&1
    local lintian_status=$?
    cat "$tmp/lintian.txt"
    check "lintian finds no error and no warning" test "$lintian_status" -eq 0
  else
    echo "lintian is not installed: the package's own checks were not run"
  fi
  dpkg-deb --extract "$deb" "$unpacked"
  local cli="$unpacked/usr/bin/squadwright-cli" man_page="$unpacked/usr/share/man/man1/squadwright-cli.1.gz"
  check "its league tool prints the version" contains "$("$cli" --version)" "squadwright-cli $version"
  check "its README is there" cmp -s "$unpacked/usr/share/doc/squadwright-cli/README.md" "$root/cli/README.md"
  MANWIDTH=80 man --warnings -l "$man_page" >"$tmp/man.txt" 2>"$tmp/man-warnings.txt"
  check "its manual page reads without warnings" test ! -s "$tmp/man-warnings.txt"
  local command option
  for command in "" show export import diff check; do
    for option in $(documented_options "$cli" $command); do
      check "the manual page documents ${command:-squadwright-cli} $option" \
        grep -qE -- "(^|[ ,])$option( |,|\$)" "$tmp/man.txt"
    done
  done
}

# The options that the program's or a command's --help lists (-o and --output of
# "-o,--output TEXT"): program, then the command if any.
documented_options() {
  "$@" --help | sed -n '/^Options:/,/^$/p' | grep -oE -- '^ +-[^ ]+' | tr ',' '\n' | sed 's/^ *//'
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

programs=(README.txt LICENSE.txt THIRD-PARTY-NOTICES.txt squadwright-cli.exe squadwright.exe)
classes='HKCU\Software\Classes'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Squadwright'

check_zip() {
  echo "== The portable zip, unpacked into a new folder"
  local folder="$tmp/portable-$bits"
  mkdir "$folder"
  unzip -q "$zip" -d "$folder"
  check "it holds the $bits-bit programs" has_bits "$bits" "$folder/squadwright.exe" "$folder/squadwright-cli.exe"
  wine "$folder/squadwright-cli.exe" --version >"$tmp/version.txt" 2>&1
  check "squadwright-cli.exe --version prints the version" contains "$(tr -d '\r' <"$tmp/version.txt")" \
    "squadwright-cli $version"
  check "the editor starts from there with a team and closes" \
    editor_shows_team wine "$folder/squadwright.exe" "$(windows_path "$team")"
  check "the folder holds only what was unpacked" contains "$(ls "$folder" | sort | tr '\n' ' ')" \
    "$(printf '%s\n' "${programs[@]}" | sort | tr '\n' ' ')"
}

# Whether the Windows programs given are all of 32 or of 64 bits.
has_bits() {
  local expected=i386 file
  [ "$1" = 32 ] || expected=i386:x86-64
  for file in "${@:2}"; do
    x86_64-w64-mingw32-objdump -f "$file" | grep -qx "architecture: $expected, flags 0x[0-9a-f]*:" || return 1
  done
}
# Whether the installed programs are the given zip's.
installed_from_zip() {
  cmp -s "$install_dir/squadwright.exe" "$tmp/portable-$1/squadwright.exe" &&
    cmp -s "$install_dir/squadwright-cli.exe" "$tmp/portable-$1/squadwright-cli.exe"
}

install_silently() { wine "$1" /S >"$tmp/setup.txt" 2>&1; }

# Removes silently as README.txt shows it, its commands run by cmd from a batch file, which ends
# when they have.
uninstall_as_documented() {
  sed -n '/returning only once everything is removed:/,/^The _?= part/s/^  \(.*\)/\1\r/p' \
    "$root/packaging/README.txt" >"$tmp/uninstall.cmd"
  [ "$(wc -l <"$tmp/uninstall.cmd")" -eq 3 ] && wine cmd /c "$(windows_path "$tmp/uninstall.cmd")" >"$tmp/uninstall.txt" 2>&1
}

check_installed() {
  local name
  for name in "${programs[@]}" uninstall.exe; do
    check "installed $name" test -f "$install_dir/$name"
  done
  check "the installed programs are the $bits-bit zip's" installed_from_zip "$bits"
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

# Checked as soon as the uninstaller has returned: nothing may be left to remove after that.
check_removed() {
  check "no installed file or folder is left" test ! -e "$install_dir"
  check "the shortcut is gone" test ! -e "$shortcut"
  check "the team type is gone" key_missing "$classes\\Squadwright.Team"
  check ".fbt no longer lists it" reg_missing "$classes\\.fbt\\OpenWithProgids" Squadwright.Team
  check "the Apps entry is gone" key_missing "$uninstall_key"
  check "the team file is untouched" test "$(sha256sum <"$team")" = "$team_sum"
}

check_installer() {
  echo "== The installer, in a $bits-bit prefix"
  local local_data
  local_data=$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
  install_windows="$local_data\\Programs\\Squadwright"
  install_dir=$(winepath -u "$install_windows" 2>/dev/null)
  shortcut="$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')" 2>/dev/null)"
  shortcut="$shortcut/Microsoft/Windows/Start Menu/Programs/Squadwright.lnk"

  check "/S installs" install_silently "$setup"
  check_installed
  check ".fbt opens with Squadwright where nothing else did" reg_is Squadwright.Team "$classes\\.fbt"
  check "opening the team file through the association shows the team" \
    open_team_by_association
  check "the silent removal of README.txt removes it and returns when done" uninstall_as_documented
  check_removed
  check ".fbt keeps no default of ours" reg_missing "$classes\\.fbt"

  echo "== The installer beside another program that opens .fbt files"
  wine reg add "$classes\\.fbt" /ve /d Other.Team /f >/dev/null 2>&1
  check "/S installs" install_silently "$setup"
  check "/S installs again over the installed version" install_silently "$setup"
  check_installed
  check "the other program stays the .fbt default" reg_is Other.Team "$classes\\.fbt"
  check "the silent removal of README.txt removes it and returns when done" uninstall_as_documented
  check_removed
  check "the other program is still the .fbt default" reg_is Other.Team "$classes\\.fbt"
  wine reg delete "$classes\\.fbt" /f >/dev/null 2>&1

  echo "== Updating an installation of release 2.0, which installed 32-bit programs"
  check "2.0's installer installs" install_silently "$old_setup"
  check "2.0 installed its 32-bit programs" installed_from_zip 32
  check "/S updates it" install_silently "$setup"
  check_installed
  check "the team file opens through the association" open_team_by_association
  check "the silent removal of README.txt removes it and returns when done" uninstall_as_documented
  check_removed
}

# Runs on the virtual display, with the prefix made and its wineserver started.
wine_checks() {
  printf 'Slot,Player Name\nQB,%s\n' "$team_name" >"$tmp/team.csv"
  team="$tmp/team-$bits.fbt"
  "$native_cli" import "$tmp/team.csv" -o "$team" 2>/dev/null
  team_sum=$(sha256sum <"$team")
  check_zip
  [ -d "$tmp/portable-32" ] || unzip -q "$zip32" -d "$tmp/portable-32"
  check_installer
  [ "$failures" -eq 0 ]
}

if [ "${1:-}" = "--wine-checks" ]; then
  bits=$2 zip=$3 zip32=$4 setup=$5 old_setup=$6 probe=$7 version=$8 tmp=$9
  wine_checks
  exit
fi

"$root/scripts/package"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/release/native/CMakeCache.txt")
tmp=$(mktemp -d /tmp/squadwright-release.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
check_deb "$root/dist/squadwright-cli_${version}_amd64.deb" "$tmp/deb"

# The installer that runs here: the shipped one, or where 32-bit programs cannot run a 64-bit
# stand-in from the same script and files. Release 2.0's installer is made of the same kind, from
# its script and the 32-bit programs.
stage32="$root/build/release/windows/release/stage"
setup="$root/dist/squadwright-$version-setup.exe"
nsis_target=x86-unicode
if [ "${windows_bits[0]}" = 64 ]; then
  release64="$root/build/release/windows64"
  cmake -S "$root" -B "$release64" -DSQUADWRIGHT_OTHER_STAGE="$stage32" >/dev/null
  cmake --build "$release64" --target release_installer
  setup="$release64/release/squadwright-$version-win64-setup.exe"
  nsis_target=amd64-unicode
fi
old_setup="$tmp/squadwright-2.0-setup.exe"
makensis -V2 -DVERSION=2.0 -DVERSION_NUMBERS=2.0.0.0 -DTARGET=$nsis_target -DSTAGE="$stage32" \
  -DOUTFILE="$old_setup" "$root/tests/package/squadwright-2.0.nsi"

status=0
[ "$failures" -eq 0 ] || status=1
for bits in "${windows_bits[@]}"; do
  (
    use_wine_for "$bits"
    configure_windows "$bits"
    cmake --build "$wine_build" --target editor_probe
    make_wine_prefix
    trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX" "$WINEPREFIX.log"' EXIT
    on_virtual_display 1024x768 "$0" --wine-checks "$bits" \
      "$root/dist/squadwright-$version-win$bits.zip" "$root/dist/squadwright-$version-win32.zip" "$setup" \
      "$old_setup" "$wine_build/tests/package/editor_probe.exe" "$version" "$tmp"
  ) || status=1
done
if [ "${windows_bits[0]}" = 64 ]; then
  echo "**********************************************************************************************"
  echo "NOT RUN: the shipped installer and 32-bit programs. This machine cannot run 32-bit programs;"
  echo "the installer checks above ran a 64-bit stand-in made from the same sources and .nsi."
  echo "**********************************************************************************************"
fi
exit "$status"
