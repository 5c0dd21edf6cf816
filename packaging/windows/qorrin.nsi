; The Windows installer of Qorrin, built with Debian's nsis by scripts/build-windows.sh:
;   makensis -DVERSION=0.1.0 -DSTAGE=folder -DICON=qorrin.ico -DOUTFILE=setup.exe packaging/windows/qorrin.nsi
; STAGE is the folder of the zip (the programs and the program folder's files). Installs into
; Program Files for all users, with a Start-menu entry and the .7Q file type, and registers
; an uninstaller with Windows. "/S" installs and uninstalls without a question.
;
; A 64-bit installer: Debian's wine64 runs 64-bit programs only (a 32-bit installer would
; end at once, having done nothing), and 64-bit Windows then needs no registry redirection.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Qorrin"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Qorrin"
!define TYPE_ID "7Q"
!define TYPE_NAME "Radio Data Files"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\qorrin.exe"
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

; Explorer caches file types and their icons: tell it that they changed.
!macro NotifyShell
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

Section "Qorrin"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\qorrin.exe" "" "$INSTDIR\qorrin.exe" 0

  ; The project files' type for every user; the program adds the same for its user at start.
  WriteRegStr HKLM "Software\Classes\.7Q" "" "${TYPE_ID}"
  WriteRegStr HKLM "Software\Classes\${TYPE_ID}" "" "${TYPE_NAME}"
  WriteRegStr HKLM "Software\Classes\${TYPE_ID}\DefaultIcon" "" "$INSTDIR\qorrin.exe,0"
  WriteRegStr HKLM "Software\Classes\${TYPE_ID}\shell\open\command" "" '"$INSTDIR\qorrin.exe" "%1"'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\qorrin.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  !insertmacro NotifyShell
SectionEnd

; Removes a .7Q type of ours under ROOT (HKLM or HKCU): the extension only while it still
; names our type, so another program's claim on it is left alone.
!macro RemoveFileType ROOT
  DeleteRegKey ${ROOT} "Software\Classes\${TYPE_ID}"
  ReadRegStr $0 ${ROOT} "Software\Classes\.7Q" ""
  ${If} $0 == "${TYPE_ID}"
    DeleteRegKey ${ROOT} "Software\Classes\.7Q"
  ${EndIf}
!macroend

; Only what the installer put there: the user's projects, the per-user setting.ini
; (%APPDATA%\Qorrin), the backups (%LOCALAPPDATA%\Qorrin) and the recent-file list stay.
Section "Uninstall"
  Delete "$INSTDIR\qorrin.exe"
  Delete "$INSTDIR\qorrin-cli.exe"
  Delete "$INSTDIR\setting.ini"
  Delete "$INSTDIR\*.lang"
  Delete "$INSTDIR\*.html"
  Delete "$INSTDIR\help\*.png"
  RMDir "$INSTDIR\help"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE"
  Delete "$INSTDIR\THIRD-PARTY-NOTICES.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  !insertmacro RemoveFileType HKLM
  !insertmacro RemoveFileType HKCU
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  !insertmacro NotifyShell
SectionEnd
