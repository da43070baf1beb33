; The installer of the Windows edition, for lab machines: installs the
; portable folder into Program Files for every user, with a Start-menu entry
; "Palmos" and an uninstaller. `palmos-<version>-setup.exe /S` installs
; silently; `uninstall.exe /S` in the installation folder removes it silently.
;
; makensis -DVERSION=1.0 -DSOURCE=<portable folder> -DOUTFILE=<setup.exe> palmos.nsi

Target amd64-unicode
SetCompressor /SOLID lzma
!include "LogicLib.nsh"
!include "x64.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Palmos"

Name "Palmos ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Palmos"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

LoadLanguageFile "${NSISDIR}\Contrib\Language files\English.nlf"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\Greek.nlf"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "Palmos needs 64-bit Windows." /SD IDOK
        Abort
    ${EndIf}
    SetRegView 64
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

Section "Palmos"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File /r "${SOURCE}\*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Palmos.lnk" "$INSTDIR\palmos.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Palmos"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Palmos developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\palmos.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes what the installer put there, and the folder only if nothing else
; is left in it: an installation folder chosen by hand may hold other files.
Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\Palmos.lnk"
    Delete "$INSTDIR\palmos.exe"
    Delete "$INSTDIR\Qt6*.dll"
    Delete "$INSTDIR\libstdc++-6.dll"
    Delete "$INSTDIR\libgcc_s_seh-1.dll"
    Delete "$INSTDIR\libwinpthread-1.dll"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\README.txt"
    RMDir /r "$INSTDIR\platforms"
    RMDir /r "$INSTDIR\styles"
    RMDir /r "$INSTDIR\licenses"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
