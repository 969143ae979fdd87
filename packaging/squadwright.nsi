; The per-user installer of the Windows programs: no administrator, everything under the user's own
; folders and HKCU. It holds both builds and installs the 64-bit programs on 64-bit Windows, the
; 32-bit ones on 32-bit Windows, into the same folder with the same entries. The build passes
; VERSION (2.0), VERSION_NUMBERS (2.0.0.0), TARGET (x86-unicode, which runs on both; amd64-unicode
; for a stand-in where 32-bit programs cannot run), STAGE32 and STAGE64 (the folders holding each
; build's files to install), ICON, SIDEBAR (the welcome and finish pages' picture), COPYRIGHT and
; PUBLISHER (LICENSE's copyright line and holder, as the programs' version records name them) and
; OUTFILE.

Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "x64.nsh"

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
BrandingText "${APP} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION_NUMBERS}"
VIAddVersionKey "ProductName" "${APP}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${APP} ${VERSION} Setup"
VIAddVersionKey "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"

; The version already installed where this one goes; empty for a first installation.
Var installedVersion
Var welcomeText

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${SIDEBAR}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "$welcomeText"
!insertmacro MUI_PAGE_WELCOME
; The licence is shown for the user to read; there is nothing to accept.
!define MUI_LICENSEPAGE_TEXT_TOP "Squadwright is free software under the MIT licence:"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "The licence asks nothing of you to install and use Squadwright. Click Next to continue."
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!insertmacro MUI_PAGE_LICENSE "${STAGE32}\LICENSE.txt"
!define MUI_PAGE_CUSTOMFUNCTION_PRE skipFolderOnUpdate
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\squadwright.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Run Squadwright"
!define MUI_PAGE_CUSTOMFUNCTION_SHOW untickRunOnUpdate
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetShellVarContext current
  ReadRegStr $installedVersion HKCU "${UNINSTALL_KEY}" "DisplayVersion"
  ${IfNot} ${FileExists} "$INSTDIR\squadwright.exe"
    StrCpy $installedVersion ""
  ${EndIf}
  ${If} $installedVersion != ""
    StrCpy $welcomeText "${APP} $installedVersion is already installed; it will be updated.$\r$\n$\r$\nSetup installs ${APP} ${VERSION} in its place, in $INSTDIR. Your team files are not touched.$\r$\n$\r$\nClick Next to continue."
  ${Else}
    StrCpy $welcomeText "Setup will install ${APP} ${VERSION}, the editor of Vantor team files, and squadwright-cli, its league tool.$\r$\n$\r$\nIt installs for you alone and needs no administrator.$\r$\n$\r$\nClick Next to continue."
  ${EndIf}
FunctionEnd

; An update goes where the installed version is.
Function skipFolderOnUpdate
  ${If} $installedVersion != ""
    Abort
  ${EndIf}
FunctionEnd

; After an update the user was most likely not waiting to start the editor.
Function untickRunOnUpdate
  ${If} $installedVersion != ""
    SendMessage $mui.FinishPage.Run ${BM_SETCHECK} ${BST_UNCHECKED} 0
  ${EndIf}
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

!macro INSTALL_PROGRAMS stage
  File "${stage}\squadwright.exe"
  File "${stage}\squadwright-cli.exe"
!macroend

Section "Install"
  SetOutPath "$INSTDIR"
!if ${NSIS_PTR_SIZE} > 4
  !insertmacro INSTALL_PROGRAMS "${STAGE64}"
!else
  ${If} ${RunningX64}
    !insertmacro INSTALL_PROGRAMS "${STAGE64}"
  ${Else}
    !insertmacro INSTALL_PROGRAMS "${STAGE32}"
  ${EndIf}
!endif
  File "${STAGE32}\README.txt"
  File "${STAGE32}\LICENSE.txt"
  File "${STAGE32}\THIRD-PARTY-NOTICES.txt"
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
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  ; The uninstaller runs on from a copy of itself in the temporary folder, so that it can delete its
  ; own file, and the process started ends at once. A script that must wait runs a copy of it made
  ; outside the folder with /S _?=FOLDER and then deletes the copy (README.txt shows how).
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
