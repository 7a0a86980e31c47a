; The Windows installer of Korvalinde, made by scripts/windows.sh with makensis:
;   makensis -DVERSIE=2010.00 -DBRON=<install folder> -DLIJST=<folder of the file lists> -DUIT=<setup.exe> korvalinde.nsi
; BRON holds what is installed (the programs, Qt's DLLs and plugins, the Dutch Qt texts, the manual);
; LIJST holds installeren.nsh and verwijderen.nsh, the same files one by one, so that the uninstaller
; removes exactly what was installed and nothing a user put beside it.
;
; It installs for the current user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Korvalinde; started with /AllUsers (as administrator) it installs for every
; user into Program Files. /S installs without a window, /D=FOLDER (last) chooses the folder.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!define NAAM "Korvalinde"
!define MAKER "Korvalinde-ontwikkelteam"
!define SLEUTEL "Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvalinde"
!define SOORT "Korvalinde.Scenario"

Name "${NAAM} ${VERSIE}"
OutFile "${UIT}"
BrandingText "${NAAM} ${VERSIE}"
InstallDir "$LOCALAPPDATA\Programs\${NAAM}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSIE}.0.0"
VIAddVersionKey /LANG=1043 "ProductName" "${NAAM}"
VIAddVersionKey /LANG=1043 "CompanyName" "${MAKER}"
VIAddVersionKey /LANG=1043 "FileDescription" "Installatie van ${NAAM} ${VERSIE}"
VIAddVersionKey /LANG=1043 "FileVersion" "${VERSIE}"
VIAddVersionKey /LANG=1043 "ProductVersion" "${VERSIE}"
VIAddVersionKey /LANG=1043 "LegalCopyright" "${MAKER}"

!define MUI_ICON "${BRON}\korvalinde.ico"
!define MUI_UNICON "${BRON}\korvalinde.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\korvalinde.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Dutch"

Var Iedereen ; "1" when installed for every user

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "Korvalinde vraagt een 64-bits Windows." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  StrCpy $Iedereen "0"
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AllUsers" $1
  ${IfNot} ${Errors}
    UserInfo::GetAccountType
    Pop $1
    ${If} $1 != "Admin"
      MessageBox MB_ICONSTOP "Installeren voor alle gebruikers vraagt beheerdersrechten." /SD IDOK
      SetErrorLevel 740
      Quit
    ${EndIf}
    StrCpy $Iedereen "1"
    ; A folder given with /D= stays; otherwise Program Files (compared while $LOCALAPPDATA is still
    ; the user's own).
    StrCmp $INSTDIR "$LOCALAPPDATA\Programs\${NAAM}" 0 +2
      StrCpy $INSTDIR "$PROGRAMFILES64\${NAAM}"
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Section "Korvalinde"
  SetOutPath "$INSTDIR"
  !include "${LIJST}\installeren.nsh"
  WriteUninstaller "$INSTDIR\verwijderen.exe"

  CreateShortCut "$SMPROGRAMS\${NAAM}.lnk" "$INSTDIR\korvalinde.exe" "" "$INSTDIR\korvalinde.exe" 0
  CreateShortCut "$SMPROGRAMS\${NAAM}-handleiding.lnk" "$INSTDIR\handleiding\handleiding.html"

  ; A scenario file (.kvl) opens in Korvalinde and shows its icon.
  WriteRegStr SHCTX "Software\Classes\.kvl" "" "${SOORT}"
  WriteRegStr SHCTX "Software\Classes\${SOORT}" "" "Korvalinde-scenario"
  WriteRegStr SHCTX "Software\Classes\${SOORT}\DefaultIcon" "" "$INSTDIR\korvalinde.exe,0"
  WriteRegStr SHCTX "Software\Classes\${SOORT}\shell\open\command" "" '"$INSTDIR\korvalinde.exe" "%1"'

  ; Apps & features lists it, with its uninstaller.
  ${If} $Iedereen == "1"
    StrCpy $0 '"$INSTDIR\verwijderen.exe" /AllUsers'
  ${Else}
    StrCpy $0 '"$INSTDIR\verwijderen.exe"'
  ${EndIf}
  WriteRegStr SHCTX "${SLEUTEL}" "DisplayName" "${NAAM}"
  WriteRegStr SHCTX "${SLEUTEL}" "DisplayVersion" "${VERSIE}"
  WriteRegStr SHCTX "${SLEUTEL}" "Publisher" "${MAKER}"
  WriteRegStr SHCTX "${SLEUTEL}" "DisplayIcon" "$INSTDIR\korvalinde.exe,0"
  WriteRegStr SHCTX "${SLEUTEL}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${SLEUTEL}" "UninstallString" "$0"
  WriteRegStr SHCTX "${SLEUTEL}" "QuietUninstallString" "$0 /S"
  WriteRegDWORD SHCTX "${SLEUTEL}" "NoModify" 1
  WriteRegDWORD SHCTX "${SLEUTEL}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  WriteRegDWORD SHCTX "${SLEUTEL}" "EstimatedSize" $1

  ; Explorer shows the new file type at once.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Function un.onInit
  SetRegView 64
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AllUsers" $1
  ${IfNot} ${Errors}
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Section "Uninstall"
  !include "${LIJST}\verwijderen.nsh"
  Delete "$INSTDIR\verwijderen.exe"
  RMDir "$INSTDIR"
  ; The folder of per-user programs, when this installation made it and nothing else is in it.
  RMDir "$LOCALAPPDATA\Programs"

  Delete "$SMPROGRAMS\${NAAM}.lnk"
  Delete "$SMPROGRAMS\${NAAM}-handleiding.lnk"

  ; The file type goes only while it is still Korvalinde's.
  ReadRegStr $0 SHCTX "Software\Classes\.kvl" ""
  StrCmp $0 "${SOORT}" 0 +2
    DeleteRegKey SHCTX "Software\Classes\.kvl"
  DeleteRegKey SHCTX "Software\Classes\${SOORT}"
  DeleteRegKey SHCTX "${SLEUTEL}"

  ; The settings the program wrote for this user (window places, recent files), and their folder
  ; when nothing else is in it.
  SetShellVarContext current
  Delete "$LOCALAPPDATA\Korvalinde\korvalinde.ini"
  RMDir "$LOCALAPPDATA\Korvalinde"

  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
