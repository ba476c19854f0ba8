; The Windows installer. It installs for the current user alone, without administrator rights, into a
; folder the user may write: Vexorel keeps Vexorel.ini and its BACKUP folder in the folder it starts in,
; and the Start-menu shortcut starts it in the installation folder.
;
; makensis -DVERSION=1.6.0 -DSTAGE=<folder with the files> -DOUTFILE=<installer.exe> vexorel.nsi
; The uninstaller removes what the installer put there and nothing else: the user's Vexorel.ini and
; BACKUP stay.

; A 64-bit installer for a 64-bit program (Windows 10 and 11, 64-bit).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh

!define PRODUCT "Vexorel"
!define PUBLISHER "The Vexorel developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vexorel"
!define SHORTCUT "$SMPROGRAMS\Vexorel.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vexorel"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}.0"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} installer"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ICON "${STAGE}\vexorel.ico"
!define MUI_UNICON "${STAGE}\vexorel.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\vexorel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Vexorel"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The files the installer puts in the folder, each named once for both directions.
!macro ProgramFiles action
  !insertmacro ${action} "vexorel.exe"
  !insertmacro ${action} "vexorel-profile.exe"
  !insertmacro ${action} "README.md"
  !insertmacro ${action} "LICENSE.txt"
  !insertmacro ${action} "THIRD-PARTY-NOTICES.txt"
  !insertmacro ${action} "SOURCE.txt"
!macroend
!macro Put name
  File "${STAGE}\${name}"
!macroend
!macro Remove name
  Delete "$INSTDIR\${name}"
!macroend

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Vexorel"
  SetOutPath "$INSTDIR"
  !insertmacro ProgramFiles Put
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ; The shortcut's working folder is the output path: the installation folder.
  CreateShortCut "${SHORTCUT}" "$INSTDIR\vexorel.exe" "" "$INSTDIR\vexorel.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vexorel.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  !insertmacro ProgramFiles Remove
  Delete "$INSTDIR\Uninstall.exe"
  Delete "${SHORTCUT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; Removed only when empty: the user's Vexorel.ini and BACKUP keep it otherwise.
  RMDir "$INSTDIR"
SectionEnd
