; The Windows installer of Quillet, built by makensis from the CMake build (target
; windows_installer), which defines VERSION, PROGRAM (quillet.exe), LAUNCHER
; (quillet-open.exe), SOURCE_DIR and OUT_FILE.
;
; It installs for the current user without administrator rights: the program in
; %LOCALAPPDATA%\Programs\Quillet, the keys under HKCU. Run elevated ("Run as administrator")
; it installs for every user: %ProgramFiles%\Quillet, keys under HKLM. /CurrentUser installs
; for the current user even when elevated. /S installs silently, /D=<folder> (last on the
; command line) chooses the folder.
;
; What it makes, and what the uninstaller removes again:
;   the program folder: quillet.exe, quillet-open.exe, uninstall.exe and the licence texts;
;   the Start-menu shortcut Quillet.lnk;
;   the uninstall key ...\CurrentVersion\Uninstall\Quillet ("Apps & features");
;   the folder verb "Quillet" under Software\Classes\Directory\shell and
;   Directory\Background\shell, which runs quillet-open.exe on the folder.

Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Quillet"
!define PUBLISHER "Quillet"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillet"
!define FOLDER_VERB "Software\Classes\Directory\shell\Quillet"
!define BACKGROUND_VERB "Software\Classes\Directory\Background\shell\Quillet"

Name "${PRODUCT}"
OutFile "${OUT_FILE}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ICON "${SOURCE_DIR}/data/icons/quillet.ico"
!define MUI_UNICON "${SOURCE_DIR}/data/icons/quillet.ico"
!define MUI_ABORTWARNING
; The GPL asks for no acceptance to use the program: the page informs, its button goes on.
!define MUI_LICENSEPAGE_TEXT_BOTTOM "$(LicenceNote)"
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${SOURCE_DIR}/LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

LangString VerbText ${LANG_ENGLISH} "Rename files with Quillet"
LangString VerbText ${LANG_GERMAN} "Dateien mit Quillet umbenennen"
LangString LicenceNote ${LANG_ENGLISH} \
    "Quillet is free software: you need not accept this licence to use it. It gives you the right to share and change the program."
LangString LicenceNote ${LANG_GERMAN} \
    "Quillet ist freie Software: Um es zu benutzen, müssen Sie diese Lizenz nicht annehmen. Sie gibt Ihnen das Recht, das Programm weiterzugeben und zu ändern."
LangString NeedsAdministrator ${LANG_ENGLISH} \
    "Quillet was installed for all users. Run its uninstaller as an administrator to remove it."
LangString NeedsAdministrator ${LANG_GERMAN} \
    "Quillet wurde für alle Benutzer installiert. Führen Sie die Deinstallation als Administrator aus, um es zu entfernen."

; 1: for every user (HKLM, Program Files); 0: for the current user (HKCU, local app data).
Var AllUsers

; Chooses the mode and with it the shell folders ($SMPROGRAMS) and the registry root
; (SHCTX) of every later step.
!macro UseMode un
Function ${un}UseMode
    ${If} $AllUsers == 1
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
FunctionEnd
!macroend
!insertmacro UseMode ""
!insertmacro UseMode "un."

Function .onInit
    StrCpy $AllUsers 0
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/CurrentUser" $1
    ${If} ${Errors}
        ; "Admin" only in an elevated process: a filtered administrator token is a user's.
        UserInfo::GetAccountType
        Pop $1
        ${If} $1 == "Admin"
            StrCpy $AllUsers 1
        ${EndIf}
    ${EndIf}
    Call UseMode
    ${If} $INSTDIR == ""
        ${If} $AllUsers == 1
            StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
        ${Else}
            StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
        ${EndIf}
    ${EndIf}
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    File "/oname=quillet.exe" "${PROGRAM}"
    File "/oname=quillet-open.exe" "${LAUNCHER}"
    File "/oname=LICENSE.txt" "${SOURCE_DIR}/LICENSE"
    File "/oname=Qt-LGPL-3.0.txt" "${SOURCE_DIR}/packaging/windows/LGPL-3"
    File "/oname=THIRD-PARTY-NOTICES.txt" "${SOURCE_DIR}/packaging/windows/THIRD-PARTY-NOTICES.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; Through the launcher, which opens the window on the user's profile folder.
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\quillet-open.exe" "" \
        "$INSTDIR\quillet.exe" 0 SW_SHOWNORMAL "" "${PRODUCT} ${VERSION}"

    ${If} $AllUsers == 1
        StrCpy $0 "/AllUsers"
    ${Else}
        StrCpy $0 "/CurrentUser"
    ${EndIf}
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quillet.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" $0'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" $0 /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $1

    ; Explorer puts %V in for the folder clicked, or the folder whose background was clicked.
    WriteRegStr SHCTX "${FOLDER_VERB}" "" "$(VerbText)"
    WriteRegStr SHCTX "${FOLDER_VERB}" "Icon" "$INSTDIR\quillet.exe,0"
    WriteRegStr SHCTX "${FOLDER_VERB}\command" "" '"$INSTDIR\quillet-open.exe" "%V"'
    WriteRegStr SHCTX "${BACKGROUND_VERB}" "" "$(VerbText)"
    WriteRegStr SHCTX "${BACKGROUND_VERB}" "Icon" "$INSTDIR\quillet.exe,0"
    WriteRegStr SHCTX "${BACKGROUND_VERB}\command" "" '"$INSTDIR\quillet-open.exe" "%V"'
    ; SHCNE_ASSOCCHANGED: Explorer reads the verbs again.
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Function un.onInit
    ${GetParameters} $0
    StrCpy $AllUsers 0
    ClearErrors
    ${GetOptions} $0 "/AllUsers" $1
    ${IfNot} ${Errors}
        StrCpy $AllUsers 1
    ${Else}
        ClearErrors
        ${GetOptions} $0 "/CurrentUser" $1
        ${If} ${Errors}
            ; Started by hand: the mode is the one whose uninstall key names this folder.
            ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
            ${If} $1 == $INSTDIR
                StrCpy $AllUsers 1
            ${EndIf}
        ${EndIf}
    ${EndIf}
    ${If} $AllUsers == 1
        UserInfo::GetAccountType
        Pop $1
        ${If} $1 != "Admin"
            ; "Apps & features" starts it unelevated: it starts itself again through UAC,
            ; once (/Elevated), and leaves the work to that copy.
            ClearErrors
            ${GetOptions} $0 "/Elevated" $1
            ${If} ${Errors}
                StrCpy $1 "/AllUsers /Elevated"
                ${If} ${Silent}
                    StrCpy $1 "$1 /S"
                ${EndIf}
                ClearErrors
                ExecShell "runas" "$INSTDIR\uninstall.exe" "$1"
                ${IfNot} ${Errors}
                    Quit
                ${EndIf}
            ${EndIf}
            MessageBox MB_OK|MB_ICONSTOP "$(NeedsAdministrator)" /SD IDOK
            Abort
        ${EndIf}
    ${EndIf}
    Call un.UseMode
FunctionEnd

Section "Uninstall"
    DeleteRegKey SHCTX "${FOLDER_VERB}"
    DeleteRegKey SHCTX "${BACKGROUND_VERB}"
    ; The keys above them, when the verbs were all they held.
    DeleteRegKey /ifempty SHCTX "Software\Classes\Directory\shell"
    DeleteRegKey /ifempty SHCTX "Software\Classes\Directory\Background\shell"
    DeleteRegKey /ifempty SHCTX "Software\Classes\Directory\Background"
    DeleteRegKey /ifempty SHCTX "Software\Classes\Directory"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    Delete "$SMPROGRAMS\${PRODUCT}.lnk"

    Delete "$INSTDIR\quillet.exe"
    Delete "$INSTDIR\quillet-open.exe"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\Qt-LGPL-3.0.txt"
    Delete "$INSTDIR\THIRD-PARTY-NOTICES.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    ${If} $AllUsers == 0
        ; The user's list of uninstallers, and %LOCALAPPDATA%\Programs, when this install
        ; made them and they are empty now.
        DeleteRegKey /ifempty HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall"
        RMDir "$LOCALAPPDATA\Programs"
        ; The script the Shell method keeps when it cannot write to C:\.
        Delete "$LOCALAPPDATA\${PRODUCT}\rename.bat"
        RMDir "$LOCALAPPDATA\${PRODUCT}"
    ${EndIf}
SectionEnd
