; Mowik's setup program: installs the 64-bit Windows folder per user (the default: no
; administrator rights, the folder belongs to the user, so mowiksets.conf beside mowik.exe is
; writable) or per machine into Program Files (elevated), registers the voice pl1 with the
; player's database list, adds Start-menu shortcuts, an optional autostart and the
; "Apps & features" entry. The uninstaller takes back exactly what this file adds.
;
; Built by installer/package.cmake:
;   makensis -INPUTCHARSET UTF8 /DVERSION=1.2.3 /DPRODUCT_DIR=<folder> /DFILES_NSH=<list>
;            /DOUTFILE=<setup.exe> [/DICON=<mowik.ico>] [/DFAST] mowik.nsi
; FILES_NSH defines the macros InstallFiles and UninstallFiles (one line per file of the folder).
;
; Command line of the setup program:
;   /S silent, /D=<folder> (last), /AllUsers or /CurrentUser (default: per user, or the mode of
;   the installed copy), /NoAutostart, /NoShortcuts.
; Command line of the uninstaller (uninstall.exe):
;   /S silent, /KeepSettings or /RemoveSettings (silent default: keep mowiksets.conf).

; A 64-bit setup program for the 64-bit folder: no registry or file-system redirection, and it
; runs where only 64-bit Wine is installed.
Target amd64-unicode
!ifndef VERSION | PRODUCT_DIR | FILES_NSH | OUTFILE
  !error "VERSION, PRODUCT_DIR, FILES_NSH and OUTFILE must be defined (/D)"
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include nsDialogs.nsh
!include ${FILES_NSH}

!define PRODUCT "Mowik"
!define PUBLISHER "Mowik"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Mowik"
!define DATABASES_KEY "Software\tarvi\varelo\databases"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The reader's window class, as mowik/shell/reader_contract.h states it.
!define READER_CLASS "MowikSettingsWindow"
!define SETTINGS "mowiksets.conf"
!define MENU_FOLDER "$SMPROGRAMS\Mowik"
!define USERS_SID "*S-1-5-32-545"
!if /FileExists "${PRODUCT_DIR}\mowik.exe"
  !define HAVE_READER
!endif
!if /FileExists "${PRODUCT_DIR}\mowik-sapi.dll"
  !define HAVE_SAPI
!endif

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; Elevation is asked for only when the user picks the per-machine install (see ModePageLeave).
RequestExecutionLevel user
ManifestDPIAware true
!ifdef FAST
  SetCompress off
!else
  SetCompressor /SOLID lzma
!endif
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1045 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1045 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1045 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1045 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1045 "FileDescription" "Instalator programu ${PRODUCT}"
VIAddVersionKey /LANG=1045 "LegalCopyright" "${PUBLISHER}"

!define MUI_ABORTWARNING
!define MUI_UNABORTWARNING
!ifdef ICON
  !define MUI_ICON "${ICON}"
  !define MUI_UNICON "${ICON}"
!endif

Var Mode            ; "user" or "machine"
Var FolderGiven     ; 1 when /D= named the folder
Var Upgrading       ; 1 when an installed copy was found: its mode and folder are kept
Var UserRadio
Var MachineRadio
Var KeepSettings    ; uninstaller: 1 keeps mowiksets.conf

!insertmacro MUI_PAGE_WELCOME
Page custom ModePage ModePageLeave
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_PRE DirectoryPre
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!ifdef HAVE_READER
  !define MUI_FINISHPAGE_RUN
  !define MUI_FINISHPAGE_RUN_TEXT "Uruchom Mowika teraz"
  !define MUI_FINISHPAGE_RUN_FUNCTION StartReader
!endif
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Polish"

; --- shared by the installer and the uninstaller -------------------------------------------

!macro IS_ADMIN_FUNCTION prefix
  ; $0 = 1 when this process runs with administrator rights.
  Function ${prefix}IsAdmin
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 == "Admin"
      StrCpy $0 1
    ${Else}
      StrCpy $0 0
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro IS_ADMIN_FUNCTION ""
!insertmacro IS_ADMIN_FUNCTION "un."

!macro CLOSE_READER_FUNCTION prefix
  ; Asks a running Mowik started from $INSTDIR to close through its window, as its own menu's
  ; "Zakończ" does, and waits for the process to end. Any other program, and a Mowik started
  ; from elsewhere, is left alone. $0 = 1 when none of ours runs any more.
  Function ${prefix}CloseReader
    Push $1
    Push $2
    Push $3
    Push $4
    Push $5
    StrCpy $0 1
    StrCpy $1 0
    ${Do}
      FindWindow $1 "${READER_CLASS}" "" 0 $1
      ${If} $1 = 0
        ${Break}
      ${EndIf}
      System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r2)'
      ; SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION
      System::Call 'kernel32::OpenProcess(i 0x101000, i 0, i r2) p .r3'
      ${If} $3 P= 0
        ${Continue}
      ${EndIf}
      System::Call 'kernel32::QueryFullProcessImageNameW(p r3, i 0, w .r4, *i ${NSIS_MAX_STRLEN}) i .r5'
      ${If} $5 <> 0
      ${AndIf} $4 == "$INSTDIR\mowik.exe"
        DetailPrint "Zamykanie działającego programu Mowik..."
        SendMessage $1 ${WM_CLOSE} 0 0 /TIMEOUT=5000
        System::Call 'kernel32::WaitForSingleObject(p r3, i 15000) i .r5'
        ${If} $5 = 0
          StrCpy $1 0  ; it ended and the window list changed: search from the start
        ${Else}
          StrCpy $0 0  ; still running: go on after its window, never ask it twice
        ${EndIf}
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p r3)'
    ${Loop}
    Pop $5
    Pop $4
    Pop $3
    Pop $2
    Pop $1
  FunctionEnd
!macroend
!insertmacro CLOSE_READER_FUNCTION ""
!insertmacro CLOSE_READER_FUNCTION "un."

!macro SAPI_REGISTRATION verb
  ExecWait '"$SYSDIR\regsvr32.exe" /s ${verb} "$INSTDIR\mowik-sapi.dll"' $0
!macroend

!macro REGISTER_VOICE root
  ; The key's default value is the file, "Label" its name; pl1 becomes the default database
  ; only when there is none yet. The uninstall entry remembers the root and the default.
  WriteRegStr ${root} "${DATABASES_KEY}\pl1" "" "$INSTDIR\pl1"
  WriteRegStr ${root} "${DATABASES_KEY}\pl1" "Label" "Polski (Mowik)"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DatabaseRoot" "${root}"
  ReadRegStr $0 ${root} "${DATABASES_KEY}" ""
  ${If} $0 == ""
    WriteRegStr ${root} "${DATABASES_KEY}" "" "pl1"
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "MadeDefaultDatabase" 1
  ${EndIf}
!macroend

!macro UNREGISTER_VOICE root
  ; Only while the registration still names this copy: another program's pl1 stays.
  ReadRegStr $0 ${root} "${DATABASES_KEY}\pl1" ""
  ${If} $0 == "$INSTDIR\pl1"
    DeleteRegKey ${root} "${DATABASES_KEY}\pl1"
  ${EndIf}
  ReadRegDWORD $1 SHCTX "${UNINSTALL_KEY}" "MadeDefaultDatabase"
  ReadRegStr $0 ${root} "${DATABASES_KEY}" ""
  ${If} $1 = 1
  ${AndIf} $0 == "pl1"
    DeleteRegValue ${root} "${DATABASES_KEY}" ""
  ${EndIf}
  DeleteRegKey /ifnosubkeys /ifnovalues ${root} "${DATABASES_KEY}"
  DeleteRegKey /ifnosubkeys /ifnovalues ${root} "Software\tarvi\varelo"
  DeleteRegKey /ifnosubkeys /ifnovalues ${root} "Software\tarvi"
!macroend

; --- installer ----------------------------------------------------------------------------

Function UseMode
  ; Applies $Mode: shell folders, registry root (SHCTX) and, unless /D= or an installed copy
  ; fixed it, the default folder.
  ${If} $Mode == "machine"
    SetShellVarContext all
    ${If} $FolderGiven != 1
    ${AndIf} $Upgrading != 1
      StrCpy $INSTDIR "$PROGRAMFILES64\Mowik"
    ${EndIf}
  ${Else}
    SetShellVarContext current
    ${If} $FolderGiven != 1
    ${AndIf} $Upgrading != 1
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Mowik"
    ${EndIf}
  ${EndIf}
FunctionEnd


Function ModePage
  ${If} $Upgrading == 1
    Abort  ; the installed copy's mode is kept
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Wybierz użytkowników" "Dla kogo zainstalować Mowika?"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 36u "Mowik zapisuje ustawienia w pliku ${SETTINGS} obok programu. Instalacja tylko dla Ciebie trafia do Twojego folderu i nie wymaga uprawnień administratora."
  Pop $0
  ${NSD_CreateRadioButton} 8u 42u 100% 12u "Tylko dla mnie (zalecane)"
  Pop $UserRadio
  ${NSD_CreateRadioButton} 8u 60u 100% 12u "Dla wszystkich użytkowników tego komputera (wymaga uprawnień administratora)"
  Pop $MachineRadio
  ${NSD_CreateLabel} 20u 76u -20u 30u "Program trafi do folderu Program Files; wszyscy użytkownicy dzielą jeden plik ustawień."
  Pop $0
  ${If} $Mode == "machine"
    ${NSD_Check} $MachineRadio
  ${Else}
    ${NSD_Check} $UserRadio
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $MachineRadio $0
  ${If} $0 == ${BST_CHECKED}
    Call IsAdmin
    ${If} $0 != 1
      ExecShell "runas" "$EXEPATH" "/AllUsers"
      Quit
    ${EndIf}
    StrCpy $Mode "machine"
  ${Else}
    StrCpy $Mode "user"
  ${EndIf}
  Call UseMode
FunctionEnd

Function DirectoryPre
  ${If} $Upgrading == 1
    Abort  ; an update goes where the installed copy and its settings are
  ${EndIf}
FunctionEnd

!ifdef HAVE_READER
Function StartReader
  Exec '"$INSTDIR\mowik.exe"'
FunctionEnd
!endif

Section "Mowik" SecProgram
  SectionIn RO
  Call CloseReader
  ${If} $0 != 1
    MessageBox MB_OK|MB_ICONSTOP "Nie udało się zamknąć działającego programu Mowik. Zamknij go i uruchom instalator ponownie." /SD IDOK
    SetErrorLevel 3
    Abort
  ${EndIf}

  SetOutPath "$INSTDIR"
  ; Never the settings file: an update keeps the user's mowiksets.conf as it is.
  !insertmacro InstallFiles
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The voice database, where the control panel would register it: HKLM when this process may
  ; write there, else HKCU (the player reads the same way round).
  ClearErrors
  WriteRegStr HKLM "${DATABASES_KEY}\pl1" "" "$INSTDIR\pl1"
  ${If} ${Errors}
    !insertmacro REGISTER_VOICE HKCU
  ${Else}
    !insertmacro REGISTER_VOICE HKLM
  ${EndIf}

!ifdef HAVE_SAPI
  !insertmacro SAPI_REGISTRATION ""
  ${If} $0 != 0
    DetailPrint "Głos SAPI nie został zarejestrowany (kod $0)."
  ${EndIf}
!endif

  ${If} $Mode == "machine"
    ; Every user may change the one settings file (not the programs beside it).
    ${IfNot} ${FileExists} "$INSTDIR\${SETTINGS}"
      FileOpen $0 "$INSTDIR\${SETTINGS}" w  ; empty: Mowik writes its defaults into it
      FileClose $0
    ${EndIf}
    nsExec::Exec '"$SYSDIR\icacls.exe" "$INSTDIR\${SETTINGS}" /grant ${USERS_SID}:M'
    Pop $0
  ${EndIf}
SectionEnd

Section "Skróty w menu Start" SecShortcuts
  CreateDirectory "${MENU_FOLDER}"
!ifdef HAVE_READER
  CreateShortcut "${MENU_FOLDER}\Mowik.lnk" "$INSTDIR\mowik.exe"
!endif
  CreateShortcut "${MENU_FOLDER}\Panel głosów Mowika.lnk" "$INSTDIR\VrlCpl.exe"
  CreateShortcut "${MENU_FOLDER}\Odinstaluj Mowika.lnk" "$INSTDIR\uninstall.exe"
SectionEnd

!ifdef HAVE_READER
Section "Uruchamiaj Mowika razem z Windows" SecAutostart
  WriteRegStr HKCU "${RUN_KEY}" "Mowik" '"$INSTDIR\mowik.exe"'
SectionEnd
!else
Section "-Uruchamiaj Mowika razem z Windows" SecAutostart  ; no reader in this folder yet
SectionEnd
!endif

Section "-Apps & features"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
!ifdef HAVE_READER
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\mowik.exe,0"
!else
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\uninstall.exe,0"
!endif
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "Program Mowik, biblioteki odtwarzacza i głos polski pl1."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecShortcuts} "Mowik, panel głosów i dezinstalator w menu Start."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecAutostart} "Mowik startuje po zalogowaniu do Windows i czeka w zasobniku."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; After the sections: it unselects them by their index.
Function .onInit
  StrCpy $FolderGiven 0
  ${If} $INSTDIR != ""
    StrCpy $FolderGiven 1
  ${EndIf}

  ; An installed copy decides the mode and the folder, so an update lands where the user's
  ; settings are.
  StrCpy $Mode "user"
  StrCpy $Upgrading 0
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $Upgrading 1
    ${If} $FolderGiven != 1
      StrCpy $INSTDIR $0
    ${EndIf}
  ${ElseIf} $1 != ""
    StrCpy $Upgrading 1
    StrCpy $Mode "machine"
    ${If} $FolderGiven != 1
      StrCpy $INSTDIR $1
    ${EndIf}
  ${EndIf}

  ${GetParameters} $2
  ClearErrors
  ${GetOptions} $2 "/AllUsers" $3
  ${IfNot} ${Errors}
  ${AndIf} $Upgrading != 1
    StrCpy $Mode "machine"
  ${EndIf}
  ClearErrors
  ${GetOptions} $2 "/CurrentUser" $3
  ${IfNot} ${Errors}
  ${AndIf} $Upgrading != 1
    StrCpy $Mode "user"
  ${EndIf}
  ClearErrors
  ${GetOptions} $2 "/NoAutostart" $3
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecAutostart}
  ${EndIf}
  ClearErrors
  ${GetOptions} $2 "/NoShortcuts" $3
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecShortcuts}
  ${EndIf}

  ${If} $Mode == "machine"
    Call IsAdmin
    ${If} $0 != 1
      ${If} ${Silent}
        SetErrorLevel 5  ; ERROR_ACCESS_DENIED: run the silent per-machine install elevated
        Quit
      ${EndIf}
      ; The elevated copy starts over in per-machine mode.
      ExecShell "runas" "$EXEPATH" "/AllUsers"
      Quit
    ${EndIf}
  ${EndIf}
  Call UseMode
FunctionEnd

; --- uninstaller --------------------------------------------------------------------------

Function un.onInit
  ; The per-machine copy is the one whose entry sits in HKLM and names this folder.
  StrCpy $Mode "user"
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $Mode "machine"
  ${EndIf}
  ${If} $Mode == "machine"
    SetShellVarContext all
    Call un.IsAdmin
    ${If} $0 != 1
      ${If} ${Silent}
        SetErrorLevel 5
        Quit
      ${EndIf}
      ${GetParameters} $1
      ExecShell "runas" "$INSTDIR\uninstall.exe" $1
      Quit
    ${EndIf}
  ${Else}
    SetShellVarContext current
  ${EndIf}

  ; The settings file: the command line decides, else the user is asked (silent: kept).
  StrCpy $KeepSettings ""
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/RemoveSettings" $2
  ${IfNot} ${Errors}
    StrCpy $KeepSettings 0
  ${EndIf}
  ClearErrors
  ${GetOptions} $1 "/KeepSettings" $2
  ${IfNot} ${Errors}
    StrCpy $KeepSettings 1
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.CloseReader
  ${If} $0 != 1
    MessageBox MB_OK|MB_ICONSTOP "Nie udało się zamknąć działającego programu Mowik. Zamknij go i uruchom dezinstalator ponownie." /SD IDOK
    SetErrorLevel 3
    Abort
  ${EndIf}

  ${If} $KeepSettings == ""
  ${AndIf} ${FileExists} "$INSTDIR\${SETTINGS}"
    MessageBox MB_YESNO|MB_ICONQUESTION "Zachować ustawienia Mowika (plik ${SETTINGS}) na wypadek ponownej instalacji?" /SD IDYES IDYES keep
    StrCpy $KeepSettings 0
    Goto decided
    keep:
    StrCpy $KeepSettings 1
    decided:
  ${EndIf}

  IfFileExists "$INSTDIR\mowik-sapi.dll" 0 +2
    !insertmacro SAPI_REGISTRATION "/u"

  !insertmacro UninstallFiles
  Delete "$INSTDIR\uninstall.exe"
  Delete "$INSTDIR\${SETTINGS}.tmp"  ; left only by an interrupted save
  ${If} $KeepSettings == 0
    Delete "$INSTDIR\${SETTINGS}"
    Delete "$INSTDIR\${SETTINGS}.bad"  ; the copy Mowik keeps of a damaged settings file
  ${EndIf}
  RMDir "$INSTDIR"  ; only when empty: files the user put there stay

  Delete "${MENU_FOLDER}\Mowik.lnk"
  Delete "${MENU_FOLDER}\Panel głosów Mowika.lnk"
  Delete "${MENU_FOLDER}\Odinstaluj Mowika.lnk"
  RMDir "${MENU_FOLDER}"

  ReadRegStr $0 HKCU "${RUN_KEY}" "Mowik"
  ${If} $0 == '"$INSTDIR\mowik.exe"'
    DeleteRegValue HKCU "${RUN_KEY}" "Mowik"
  ${EndIf}

  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "DatabaseRoot"
  ${If} $0 == "HKCU"
    !insertmacro UNREGISTER_VOICE HKCU
  ${Else}
    !insertmacro UNREGISTER_VOICE HKLM
  ${EndIf}

  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
