; The Windows installer of Ravelog and Ravesect. Made by tools/windows/package.sh:
;   makensis -DSOURCE=<folder of the programs> -DVERSION=5.0 -DOUTFILE=<setup.exe> installer.nsi
; Installs both programs into "Program Files\Ravelog", adds them to the Start menu, opens .sdw files
; with Ravelog and .sqw files with Ravesect, and lays down the install folder (\Kelvard\Sver5 on the
; Windows directory's drive, with the pointer files) as the programs' first start would, never over
; an install folder that is already there. The uninstaller removes the programs and the file types
; and leaves the install folder and every user file alone. /S installs and uninstalls silently.
; A 64-bit installer: the programs are 64-bit, and a 32-bit one would need the 32-bit half of
; Windows (and of wine) only to install them.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "x64.nsh"
!include "LogicLib.nsh"

Name "Ravelog / Ravesect ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Ravelog"
BrandingText "Ravelog / Ravesect ${VERSION}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ravelog"
!define MUI_ICON "${SOURCE}\ravelog.ico"
!define MUI_UNICON "${SOURCE}\ravelog.ico"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; Registers extension $0 as file type $1 ("$2" in Explorer) opened by program $3.
!macro FileType EXTENSION TYPE DESCRIPTION PROGRAM
    WriteRegStr HKLM "Software\Classes\${EXTENSION}" "" "${TYPE}"
    WriteRegStr HKLM "Software\Classes\${TYPE}" "" "${DESCRIPTION}"
    WriteRegStr HKLM "Software\Classes\${TYPE}\DefaultIcon" "" '"$INSTDIR\${PROGRAM}",0'
    WriteRegStr HKLM "Software\Classes\${TYPE}\shell\open\command" "" '"$INSTDIR\${PROGRAM}" "%1"'
!macroend

; Removes the file type only while it is still ours, so a type another program took over stays.
!macro RemoveFileType EXTENSION TYPE
    ReadRegStr $0 HKLM "Software\Classes\${EXTENSION}" ""
    ${If} $0 == "${TYPE}"
        DeleteRegKey HKLM "Software\Classes\${EXTENSION}"
    ${EndIf}
    DeleteRegKey HKLM "Software\Classes\${TYPE}"
!macroend

Function .onInit
    ${If} ${RunningX64}
        SetRegView 64
    ${Else}
        MessageBox MB_ICONSTOP "このプログラムは 64 ビット版の Windows で動作します。" /SD IDOK
        Abort
    ${EndIf}
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

; Writes a pointer file naming the install folder, unless one is there already.
!macro PointerFile FILE FOLDER
    ${IfNot} ${FileExists} "${FILE}"
        FileOpen $1 "${FILE}" w
        FileWrite $1 "${FOLDER}$\r$\n"
        FileClose $1
    ${EndIf}
!macroend

Section "Ravelog / Ravesect"
    SetOutPath "$INSTDIR"
    File /r "${SOURCE}\*.*"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateDirectory "$SMPROGRAMS\Ravelog"
    CreateShortcut "$SMPROGRAMS\Ravelog\Ravelog.lnk" "$INSTDIR\ravelog.exe" "" "$INSTDIR\ravelog.exe" 0
    CreateShortcut "$SMPROGRAMS\Ravelog\Ravesect.lnk" "$INSTDIR\ravesect.exe" "" "$INSTDIR\ravesect.exe" 0
    CreateShortcut "$SMPROGRAMS\Ravelog\アンインストール.lnk" "$INSTDIR\uninstall.exe"

    !insertmacro FileType ".sdw" "Ravelog.Document" "Ravelog ﾌｧｲﾙ" "ravelog.exe"
    !insertmacro FileType ".sqw" "Ravesect.Document" "Ravesect ﾌｧｲﾙ" "ravesect.exe"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    ; The install folder on the Windows directory's drive, filled from the shipped data once.
    StrCpy $0 $WINDIR 2
    CreateDirectory "$0\Kelvard"
    ${IfNot} ${FileExists} "$0\Kelvard\Sver5\*.*"
        CreateDirectory "$0\Kelvard\Sver5"
        CopyFiles /SILENT "$INSTDIR\data\*.*" "$0\Kelvard\Sver5"
    ${EndIf}
    !insertmacro PointerFile "$0\Kelvard\Vuzor5.whr" "$0\Kelvard\Sver5"
    !insertmacro PointerFile "$0\Kelvard\Vivad5.whr" "$0\Kelvard\Sver5"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Ravelog / Ravesect"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\ravelog.exe",0'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    !insertmacro RemoveFileType ".sdw" "Ravelog.Document"
    !insertmacro RemoveFileType ".sqw" "Ravesect.Document"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
    RMDir /r "$SMPROGRAMS\Ravelog"
    ; Only what the installer put there: the install folder (\Kelvard\Sver5) and the user's files stay.
    !include "${SOURCE}\..\uninstall-files.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
