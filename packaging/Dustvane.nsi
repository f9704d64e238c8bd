; Dustvane's installer and uninstaller (NSIS 3, 64-bit).
;
; Dustvane writes its settings and lists beside itself, so it is installed for the
; current user alone, into a folder the user owns ($LOCALAPPDATA\Programs\Dustvane),
; without administrator rights. scripts/dist.py builds this script with
;   VERSION       four numbers (8.20.0.0)      VERSION_TEXT  the version shown (8.20)
;   FILES         the generated list of the package's files (DV_INSTALL_FILES,
;                 DV_REMOVE_FILES, DV_SIZE_KB, DV_LANGUAGE_n for each language file)
;   OUTFILE       the installer to write       ROOT          the source tree

Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include nsDialogs.nsh
!include "${FILES}"

!define PUBLISHER "The Dustvane authors"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Dustvane"
!define SHORTCUT "$SMPROGRAMS\Dustvane.lnk"
!define CHOICE_FILE "$INSTDIR\LANGUAGE\language.ini"

Name "Dustvane ${VERSION_TEXT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Dustvane"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Dustvane ${VERSION_TEXT}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

!define MUI_ICON "${ROOT}/resources/dustvane.ico"
!define MUI_UNICON "${ROOT}/resources/dustvane.ico"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_LICENSE "${ROOT}/LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
Page custom LanguagePageCreate
!define MUI_PAGE_CUSTOMFUNCTION_PRE WaitUntilClosed
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Dustvane.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Dustvane"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

VIProductVersion ${VERSION}
VIFileVersion ${VERSION}
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Dustvane"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION_TEXT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION_TEXT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Dustvane ${VERSION_TEXT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (c) ${PUBLISHER}. MIT licence."

; ---------------------------------------------------------------------------
; The language of Dustvane's windows: the value of [Dustvane] language= in
; LANGUAGE\language.ini (1 Chinese (Simplified), 2 Chinese (Traditional),
; 3 English, 4 Japanese, 5 a file of LANGUAGE\others).

Var Choice      ; the value to write
Var ChoiceDir   ; the folder whose earlier choice $Choice holds

; An earlier install's choice in $INSTDIR, else English.
Function ReadLanguageChoice
  ReadINIStr $Choice "${CHOICE_FILE}" "Dustvane" "language"
  ${Select} $Choice
    ${Case5} 1 2 3 4 5
    ${CaseElse}
      StrCpy $Choice 3
  ${EndSelect}
  StrCpy $ChoiceDir $INSTDIR
FunctionEnd

Function LanguageClicked
  Pop $0
  nsDialogs::GetUserData $0
  Pop $Choice
FunctionEnd

!define CHOICE_TOP 28  ; where the next choice goes on the page (dialog units)
!macro LanguageChoice VALUE TEXT
  ${NSD_CreateRadioButton} 12u ${CHOICE_TOP}u 90% 12u "${TEXT}"
  Pop $0
  nsDialogs::SetUserData $0 ${VALUE}
  ${NSD_OnClick} $0 LanguageClicked
  ${If} $Choice == ${VALUE}
    ${NSD_Check} $0
  ${EndIf}
  !define /redef /math CHOICE_TOP ${CHOICE_TOP} + 15
!macroend

Function LanguagePageCreate
  ${If} $ChoiceDir != $INSTDIR
    Call ReadLanguageChoice
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Language" "Choose the language of Dustvane's windows and messages."
  nsDialogs::Create 1018
  Pop $0
  ${If} $0 == error
    Abort
  ${EndIf}
  ${NSD_CreateLabel} 0 0 100% 20u "Dustvane will show its windows and messages in this language. You can change it at any time from the program's Language menu."
  Pop $0
  !insertmacro LanguageChoice 3 "English"
  !ifdef DV_LANGUAGE_1
    !insertmacro LanguageChoice 1 "Chinese (Simplified)"
  !endif
  !ifdef DV_LANGUAGE_2
    !insertmacro LanguageChoice 2 "Chinese (Traditional)"
  !endif
  !ifdef DV_LANGUAGE_4
    !insertmacro LanguageChoice 4 "Japanese"
  !endif
  ${If} $Choice == 5
    ReadINIStr $1 "$INSTDIR\LANGUAGE\others\lngfile.ini" "Dustvane" "Filename"
    !insertmacro LanguageChoice 5 "Keep the language file chosen before ($1)"
  ${EndIf}
  nsDialogs::Show
FunctionEnd

; ---------------------------------------------------------------------------
; Files of a running Dustvane cannot be replaced or removed: ask the user to end it
; (a silent run gives up at once, with exit code 2). Asked before the work starts, from
; the window's own thread; the sections check again.

!macro WaitUntilClosed PREFIX
Function ${PREFIX}WaitUntilClosed
  ${DoWhile} ${FileExists} "$INSTDIR\Dustvane.exe"
    ClearErrors
    FileOpen $0 "$INSTDIR\Dustvane.exe" a
    ${IfNot} ${Errors}
      FileClose $0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Dustvane is running. Please end it, then choose Retry." /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
    retry:
  ${Loop}
FunctionEnd
!macroend
!insertmacro WaitUntilClosed ""
!insertmacro WaitUntilClosed "un."

; ---------------------------------------------------------------------------

Section "Dustvane" SecProgram
  SectionIn RO
  Call WaitUntilClosed
  ${If} $ChoiceDir != $INSTDIR
    Call ReadLanguageChoice
  ${EndIf}

  ; The user's own files (lists, settings, backups) are never part of the package, so
  ; an install over an earlier one leaves them as they are.
  !insertmacro DV_INSTALL_FILES
  WriteINIStr "${CHOICE_FILE}" "Dustvane" "language" $Choice
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetOutPath "$INSTDIR"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\Dustvane.exe" "" "$INSTDIR\Dustvane.exe" 0 \
    SW_SHOWNORMAL "" "Find and remove junk files"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Dustvane"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION_TEXT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Dustvane.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${DV_SIZE_KB}
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; ---------------------------------------------------------------------------

; $0: the backup folder chosen in Dustvane (a REG_BINARY text below
; HKEY_USERS\.DEFAULT\Software\Dustvane), or "" when none is chosen.
Function un.ChosenBackupFolder
  StrCpy $0 ""
  System::Alloc 1040  ; zero-filled: the stored text need not end in a zero
  Pop $1
  System::Call 'advapi32::RegGetValueA(p -2147483645, m ".DEFAULT\Software\Dustvane", m "SaveFilePath", i 0xffff, p 0, p r1, *i 1024) i .r2'
  ${If} $2 = 0
    System::Call '*$1(&m1024 .r0)'
  ${EndIf}
  System::Free $1
  ${If} $0 != ""
    StrCpy $1 $0 "" -1
    ${If} $1 == "\"
      StrCpy $0 $0 -1
    ${EndIf}
  ${EndIf}
FunctionEnd

Var BackupFolders  ; the folders that still hold backup copies, one a line

; Notes folder $0 in $BackupFolders when it holds backup copies.
Function un.NoteBackupFolder
  FindFirst $1 $2 "$0\*.dak"
  ${If} $2 != ""
    StrCpy $BackupFolders "$BackupFolders$\r$\n    $0"
    DetailPrint "Backup copies kept in $0"
  ${EndIf}
  FindClose $1
FunctionEnd

Function un.onInit
  Call un.WaitUntilClosed
FunctionEnd

Section "Uninstall"
  Call un.WaitUntilClosed
  Delete "${CHOICE_FILE}"
  !insertmacro DV_REMOVE_FILES
  Delete "$INSTDIR\update.ini"  ; a version file an interrupted update check left
  Delete "$INSTDIR\uninstall.exe"
  Delete "${SHORTCUT}"
  ; Only removed when nothing of the user's is left: backup copies, FilePath.dat,
  ; BackupCopies.dat, noscfile.dat, Files.txt and dustvaneset.ini stay.
  RMDir "$INSTDIR\BackFile"
  RMDir "$INSTDIR"

  StrCpy $0 "$INSTDIR\BackFile"
  Call un.NoteBackupFolder
  Call un.ChosenBackupFolder
  ${If} $0 != ""
  ${AndIf} $0 != "$INSTDIR\BackFile"
    Call un.NoteBackupFolder
  ${EndIf}

  ; Last, so that the entry stays listed until everything else is done.
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  SetAutoClose true
SectionEnd

; The closing word, from the window's own thread; a silent run shows nothing.
Function un.onUninstSuccess
  ${If} $BackupFolders == ""
    MessageBox MB_OK|MB_ICONINFORMATION "Dustvane has been removed from your computer." /SD IDOK
  ${Else}
    MessageBox MB_OK|MB_ICONINFORMATION "Dustvane has been removed from your computer.$\r$\n$\r$\nYour backup copies have been kept in:$BackupFolders$\r$\n$\r$\nInstall Dustvane again and use Recovery to restore them, or delete the folder when you no longer need them." /SD IDOK
  ${EndIf}
FunctionEnd
