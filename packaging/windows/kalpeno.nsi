; The Windows installer of Kalpeno: NSIS 3, Unicode, 64-bit (Debian's Wine runs no 32-bit
; installer). Built by `make windows-package` (packaging/windows/CMakeLists.txt), which defines
;   VERSION PUBLISHER PROGRAM HELP ICON OUTFILE
; Per machine into Program Files\Kalpeno by default; per user, without administrator rights,
; into the user's own programs folder as the option (the page, or /CurrentUser with /S). The
; pages speak Japanese or English, as the system does. The uninstaller removes what the installer
; put in place and nothing else: the program writes no file and no setting of its own.
Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kalpeno"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Kalpeno"
; An earlier install is found and replaced where it is, in the mode it was made in.
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh

Name "Kalpeno"
OutFile "${OUTFILE}"
BrandingText "Kalpeno ${VERSION}"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\kalpeno.exe"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "Kalpeno"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "Kalpeno ${VERSION} Setup"
VIAddVersionKey /LANG=0 "LegalCopyright" "© ${PUBLISHER}"

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first is the pages' language where the system's is neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"


Function .onInit
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Kalpeno"
    SetOutPath "$INSTDIR"
    File "/oname=kalpeno.exe" "${PROGRAM}"
    File "/oname=Help.txt" "${HELP}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ; The Start menu's entry speaks Japanese whatever language the pages spoke.
    CreateShortCut "$SMPROGRAMS\Kalpeno.lnk" "$INSTDIR\kalpeno.exe" "" "$INSTDIR\kalpeno.exe" 0 \
        SW_SHOWNORMAL "" "三つの電卓を並べて、計算の順番と結果を記録します"

    ; SHCTX: HKLM per machine, HKCU per user.
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Kalpeno"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kalpeno.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallMode" "$MultiUser.InstallMode"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
        '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
        '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; Each file by name: a folder the user chose may hold other files, which stay.
Section "Uninstall"
    Delete "$SMPROGRAMS\Kalpeno.lnk"
    Delete "$INSTDIR\kalpeno.exe"
    Delete "$INSTDIR\Help.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
