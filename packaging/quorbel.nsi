; The installer of quorbel, made by scripts/package.sh with Debian's nsis.
; Per user: into %LOCALAPPDATA%\Programs\quorbel, a folder the program can
; write its settings and working folders into. /S installs silently, /D=FOLDER
; chooses the folder. Defined by the caller: VERSION, STAGE (the files to
; install), OUTFILE; files.nsh and uninstall.nsh (written beside this script's
; copy) list the files to install and to remove.
Unicode true
!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\quorbel"

Name "quorbel ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\quorbel"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
BrandingText "quorbel ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "quorbel"
VIAddVersionKey "FileDescription" "quorbel ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 The quorbel authors. MIT License."

; The MIT licence asks for no consent: it is named on the first page and
; installed as LICENSE.txt.
!define MUI_WELCOMEPAGE_TEXT "This installs quorbel ${VERSION}, a front end for the x264 encoder, for you alone: no administrator rights are needed.$\r$\n$\r$\nPut an x264.exe beside quorbel.exe afterwards; README.txt tells what else the scripts can use.$\r$\n$\r$\nquorbel is free software under the MIT licence (LICENSE.txt).$\r$\n$\r$\nClick Next to continue."
!define MUI_FINISHPAGE_RUN "$INSTDIR\quorbel.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "quorbel"
  SetShellVarContext current
  !include "files.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\quorbel.lnk" "$INSTDIR\quorbel.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "quorbel ${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The quorbel authors"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quorbel.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes what was installed, file by file; what the user made stays: the
; settings, the job list, named configurations, wrappers, stats and logs, and
; include scripts of their own.
Section "Uninstall"
  SetShellVarContext current
  !include "uninstall.nsh"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\quorbel.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  RMDir "$INSTDIR"
  IfFileExists "$INSTDIR\*.*" 0 +2
    MessageBox MB_OK|MB_ICONINFORMATION "quorbel was removed. Your own files were kept in $INSTDIR: the settings, the job list, named configurations, wrappers, stats, logs and include scripts you added." /SD IDOK
SectionEnd
