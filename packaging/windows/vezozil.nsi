; The Windows installer: VezoZil-<version>-kurulum.exe, in Turkish. It installs the program, its DLLs
; and Qt plugins and the default program folder under Program Files, a Start menu entry and an
; uninstaller. Each user's own program folder, "%APPDATA%\Vezo Zil", is made by the program at its
; first start from the defaults, and is what the uninstaller leaves behind: it holds the school's
; timetable. Built by `make windows-installer` (makensis -INPUTCHARSET UTF8), which defines VERSION,
; STAGE (the staged files), LISTS (the generated file lists), ICON and OUTFILE.
; A 64-bit installer for the 64-bit program: it writes the 64-bit registry and Program Files itself.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
!include "MUI2.nsh"

!define PRODUCT "Vezo Zil"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VezoZil"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1055 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1055 "FileDescription" "${PRODUCT} kurulumu"
VIAddVersionKey /LANG=1055 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1055 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1055 "LegalCopyright" "Vezo Zil geliştiricileri"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Bu sihirbaz okul zili programı Vezo Zil ${VERSION} sürümünü bilgisayarınıza kuracak.$\r$\n$\r$\nZil saatleriniz ve ayarlarınız her kullanıcının kendi klasöründe (%APPDATA%\Vezo Zil) tutulur; program kaldırılsa da silinmez.$\r$\n$\r$\nDevam etmek için İleri'ye tıklayın."
!define MUI_FINISHPAGE_RUN "$INSTDIR\vezozil.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Vezo Zil'i şimdi başlat"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Turkish"

Section "Vezo Zil" SecMain
    SectionIn RO
    SetShellVarContext all
    !include "${LISTS}/install-files.nsh"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\Kaldır.exe"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\vezozil.exe" "" "$INSTDIR\vezozil.exe" 0 \
        SW_SHOWNORMAL "" "Okul zili programı"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Vezo Zil geliştiricileri"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vezozil.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Kaldır.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Kaldır.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    ; A copy that starts by itself at logon would be left pointing at a removed program.
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    !include "${LISTS}/uninstall-files.nsh"
    Delete "$INSTDIR\Kaldır.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
