; The Windows installer: the program folder per machine under Program Files, one
; Start-menu shortcut and an uninstaller that removes exactly what was installed. German,
; English and Italian pages after the Windows display language, German for any other; the
; uninstaller speaks the installer's language. /S installs (and uninstalls) silently.
;   makensis -DVERSION=2.6.0 -DSTAGE=<program folder> -DFILES=<uninstall list> -DOUTFILE=<setup.exe> tastarello.nsi
; FILES holds a Delete line per installed file and an RMDir line per folder, deepest
; first, so that files a user put into the folder keep it.
; An installation found in the registry is removed by its own uninstaller first: an upgrade
; leaves exactly the new version's files. Neither the installer nor the uninstaller touches a
; file while the program runs (the program holds the mutex RUNNING_MUTEX).
Unicode true
; Debian's Wine runs 64-bit programs only, and the program is one.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define PRODUCT "Tastarello Service"
!define PUBLISHER "Tastarello"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; Created by the program at start (src/app/main.cpp).
!define RUNNING_MUTEX "Global\TastarelloServiceRunning"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; Where an earlier version went: the upgrade replaces it there.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" InstallLocation
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 ProductName "${PRODUCT}"
VIAddVersionKey /LANG=0 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=0 CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=0 FileDescription "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=0 FileVersion "${VERSION}"
VIAddVersionKey /LANG=0 LegalCopyright "Copyright (C) 2026 ${PUBLISHER}"

!define MUI_ICON "${STAGE}\tastarello.ico"
!define MUI_UNICON "${STAGE}\tastarello.ico"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first one is taken where the Windows display language is none of the three.
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Italian"

LangString RUNNING ${LANG_GERMAN} "${PRODUCT} läuft noch. Bitte beenden Sie das Programm und klicken Sie dann auf Wiederholen."
LangString RUNNING ${LANG_ENGLISH} "${PRODUCT} is running. Please close it, then click Retry."
LangString RUNNING ${LANG_ITALIAN} "${PRODUCT} è in esecuzione. Chiudere il programma, poi fare clic su Riprova."

; Asks the technician to close the running program (Retry) until it is closed; Cancel, and
; /S while it runs, end the (un)installation before anything is changed.
!macro WAIT_UNTIL_CLOSED un
Function ${un}waitUntilClosed
    ${Do}
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p .r0'
        ${If} $0 P= 0
            Return
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r0)'
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(RUNNING)" /SD IDCANCEL IDRETRY +2
        Abort
    ${Loop}
FunctionEnd
!macroend
!insertmacro WAIT_UNTIL_CLOSED ""
!insertmacro WAIT_UNTIL_CLOSED "un."

Section
    SetShellVarContext all
    Call waitUntilClosed
    ; An earlier installation, here or elsewhere, goes with its own uninstaller, which knows its
    ; files. Run in place (_?=) it waits, and leaves itself and its folder behind.
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" InstallLocation
    ${If} $0 != ""
    ${AndIf} ${FileExists} "$0\uninstall.exe"
        ExecWait '"$0\uninstall.exe" /S _?=$0'
        Delete "$0\uninstall.exe"
        RMDir "$0"
    ${EndIf}
    SetOutPath "$INSTDIR"
    File /r /x mastersim.exe "${STAGE}\*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ; The shortcut's working folder is the output path: the window loads its icon from there.
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\tastarello.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayName "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\tastarello.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" Publisher "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoModify 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoRepair 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" EstimatedSize $0
    ; Last: the uninstaller speaks this language, and the entry is complete once it is there.
    WriteRegStr HKLM "${UNINSTALL_KEY}" InstallerLanguage "$LANGUAGE"
SectionEnd

Function un.onInit
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" InstallerLanguage
    ${If} $0 != ""
        StrCpy $LANGUAGE $0
    ${EndIf}
FunctionEnd

Section Uninstall
    SetShellVarContext all
    Call un.waitUntilClosed
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    !include "${FILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
