; The Windows installer of kestrune.exe and kestrune-cli.exe, built by
; scripts/build-windows-installer.sh:
;   makensis -DVERSION=0.2.0 -DBUILD=build-win32 -DTOP=. -DOUTFILE=... kestrune.nsi
; Installs into Program Files, adds a Start menu entry and registers the
; uninstaller under "Apps & features". /S installs and uninstalls silently.
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrune"

Name "Kestrune ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Kestrune"
InstallDirRegKey HKLM "${KEY}" "InstallLocation"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Kestrune"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${BUILD}\kestrune.exe"
  File "${BUILD}\kestrune-cli.exe"
  File "${TOP}\README.md"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\Kestrune"
  CreateShortcut "$SMPROGRAMS\Kestrune\Kestrune.lnk" "$INSTDIR\kestrune.exe"
  WriteRegStr HKLM "${KEY}" "DisplayName" "Kestrune"
  WriteRegStr HKLM "${KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${KEY}" "DisplayIcon" "$INSTDIR\kestrune.exe"
  WriteRegStr HKLM "${KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\kestrune.exe"
  Delete "$INSTDIR\kestrune-cli.exe"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Kestrune\Kestrune.lnk"
  RMDir "$SMPROGRAMS\Kestrune"
  DeleteRegKey HKLM "${KEY}"
SectionEnd
