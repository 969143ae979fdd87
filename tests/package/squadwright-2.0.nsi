; The installer script of release 2.0 as it shipped, 32-bit programs only: the release test installs
; it first to check that today's installer updates such an installation in place.
;
; The per-user installer of the Windows programs: no administrator, everything under the user's own
; folders and HKCU. The build passes VERSION (2.0), VERSION_NUMBERS (2.0.0.0), TARGET (x86-unicode,
; or amd64-unicode for a 64-bit build), STAGE (the folder holding the files to install) and OUTFILE.

Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define APP "Squadwright"
!define PROGID "Squadwright.Team"
!define CLASSES "Software\Classes"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Squadwright"
!define SHORTCUT "$SMPROGRAMS\Squadwright.lnk"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
; Installing again, a newer version included, goes where the first installation went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION_NUMBERS}"
VIAddVersionKey "ProductName" "${APP}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${APP} ${VERSION} Setup"
VIAddVersionKey "LegalCopyright" "MIT License"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

; Explorer shows the changed file types and icons at once (SHCNE_ASSOCCHANGED).
!macro REFRESH_ASSOCIATIONS prefix
Function ${prefix}RefreshAssociations
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
FunctionEnd
!macroend
!insertmacro REFRESH_ASSOCIATIONS ""
!insertmacro REFRESH_ASSOCIATIONS "un."

Section "Install"
  SetOutPath "$INSTDIR"
  File "${STAGE}\squadwright.exe"
  File "${STAGE}\squadwright-cli.exe"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  File "${STAGE}\THIRD-PARTY-NOTICES.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\squadwright.exe" "" "$INSTDIR\squadwright.exe" 0

  ; A team file's type: its icon and the open verb, which passes the file as the first argument.
  WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "Squadwright team"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\squadwright.exe,0"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\squadwright.exe" "%1"'
  ; .fbt offers it among the programs that open it, and opens with it only when nothing else does.
  WriteRegStr HKCU "${CLASSES}\.fbt\OpenWithProgids" "${PROGID}" ""
  ; The user's own classes, then the machine's: what HKCR merges on Windows (Wine's HKCR shows only
  ; the machine's).
  ReadRegStr $0 HKCU "${CLASSES}\.fbt" ""
  ${If} $0 == ""
    ReadRegStr $0 HKLM "${CLASSES}\.fbt" ""
  ${EndIf}
  ${If} $0 == ""
    WriteRegStr HKCU "${CLASSES}\.fbt" "" "${PROGID}"
  ${EndIf}

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\squadwright.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Squadwright developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  Call RefreshAssociations
SectionEnd

; Removes what the installer added and nothing else: the folder goes only when it is empty, and
; .fbt keeps any other program's entries.
Section "Uninstall"
  Delete "$INSTDIR\squadwright.exe"
  Delete "$INSTDIR\squadwright-cli.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\THIRD-PARTY-NOTICES.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"

  DeleteRegKey HKCU "${CLASSES}\${PROGID}"
  DeleteRegValue HKCU "${CLASSES}\.fbt\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty /ifnovalues HKCU "${CLASSES}\.fbt\OpenWithProgids"
  ReadRegStr $0 HKCU "${CLASSES}\.fbt" ""
  ${If} $0 == "${PROGID}"
    DeleteRegValue HKCU "${CLASSES}\.fbt" ""
  ${EndIf}
  DeleteRegKey /ifempty /ifnovalues HKCU "${CLASSES}\.fbt"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Call un.RefreshAssociations
SectionEnd
