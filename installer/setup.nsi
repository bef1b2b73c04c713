; The setup of the TaraDock-20 Control Desk, for Windows 98 and ME (and
; every later 32-bit Windows): it installs the three programs, the README
; and the licence, starts the desk at every logon so that the cards get
; their settings back, and writes an uninstaller that takes it all away
; again but leaves the cards' settings to the user and the driver.
;
; Built by scripts/package, which passes:
;   VERSION   the desk's version (resources/version.h)
;   PROGRAMS  the folder of desk.exe, desk-sim.exe and gallery.exe
;   DOCS      the folder of README.txt and LICENSE.txt (CR LF line ends)
;   ICON      the desk's icon
;   SIZE_KB   what the installed files take, for Add/Remove Programs
;   OUTFILE   the setup program to write
;
; ANSI, not Unicode: Windows 98 and ME run only the ANSI stub. The only
; plugin is nsDialogs (the welcome and finish pages); its imports and the
; stub's are held to the Windows 98 list like the programs'.

Unicode false
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"

!define PRODUCT "TaraDock-20 Control Desk"
; The name of the Run value and of the Add/Remove Programs key.
!define ENTRY "TaraDock20 Control Desk"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${ENTRY}"
; The program's key of each user; the simulated desk keeps its settings in
; "Simulated Cards" below it.
!define USER_KEY "Software\${PRODUCT}"
; Main window classes of the desk (desk.exe and desk-sim.exe) and the gallery.
!define DESK_CLASS "TA20PAN"
!define GALLERY_CLASS "KivGallery"
; How long the setup waits for the running programs to end, all of them
; together and their files included: steps of at most 100 ms, about 10 s in
; all, whatever a hung program does.
!define END_STEPS 100
; How long one WM_CLOSE waits for its answer: a program that does not
; answer costs this much per step, never more.
!define END_SEND_MS 50

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} Setup"
UninstallCaption "${PRODUCT} ${VERSION} Uninstall"
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
; An upgrade goes where the desk already is, unless /D= says otherwise.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "MIT License"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "Setup will install the ${PRODUCT} ${VERSION} on this computer.$\r$\n$\r$\nThe desk lives in the notification area. It will start at every logon and give each TaraDock-20 card the settings you made for it, which the card forgets whenever it loses power.$\r$\n$\r$\nIf the desk is running now, Setup ends it first. The cards' settings are kept.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${DOCS}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "The ${PRODUCT} is installed. It starts at every logon; its icon is in the notification area, beside the clock.$\r$\n$\r$\nClick Finish to close Setup."
!define MUI_FINISHPAGE_RUN "$INSTDIR\desk.exe"
; Started by hand, the desk shows its panel, or says that no card was found.
!define MUI_FINISHPAGE_RUN_PARAMETERS "--show"
!define MUI_FINISHPAGE_RUN_TEXT "Start the control desk now"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the README"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Ends every running desk, simulated desk and gallery the one way they take
; from another program: WM_CLOSE to the main window. The desk then stores
; every card's record, takes its icon out of the notification area and ends
; with exit code 0, as at the end of a Windows session. Bounded as a whole
; (EndSteps counts the steps spent here and in DeleteProgram): a program
; that does not answer is left, and the file steps report what they cannot
; replace.
Var EndSteps
!macro END_PROGRAMS_FUNCTION PREFIX
Function ${PREFIX}EndPrograms
  Push $0
  Push $1
  StrCpy $1 0
  ${Do}
    FindWindow $0 "${DESK_CLASS}"
    ${If} $0 = 0
      FindWindow $0 "${GALLERY_CLASS}"
    ${EndIf}
    ${If} $0 = 0
    ${OrIf} $EndSteps >= ${END_STEPS}
      ${ExitDo}
    ${EndIf}
    ${If} $0 != $1
      DetailPrint "Ending a running program of the desk"
      StrCpy $1 $0
    ${EndIf}
    ; Asked again at every step: a busy program that is slow to take the
    ; message still gets it, and a hung one costs END_SEND_MS per step.
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=${END_SEND_MS}
    Sleep 50
    IntOp $EndSteps $EndSteps + 1
  ${Loop}
  Pop $1
  Pop $0
FunctionEnd

; Deletes a program file once its process is gone: Windows keeps a running
; program's file, so the delete is tried again until it goes, within what
; is left of the whole wait.
Function ${PREFIX}DeleteProgram
  Exch $0
  ${Do}
    ClearErrors
    Delete "$0"
    ${IfNot} ${Errors}
    ${OrIf} $EndSteps >= ${END_STEPS}
      ${ExitDo}
    ${EndIf}
    Sleep 100
    IntOp $EndSteps $EndSteps + 1
  ${Loop}
  Pop $0
FunctionEnd
!macroend
!insertmacro END_PROGRAMS_FUNCTION ""
!insertmacro END_PROGRAMS_FUNCTION "un."

!macro DELETE_PROGRAM PREFIX FILE
  Push "${FILE}"
  Call ${PREFIX}DeleteProgram
!macroend

Section "Control desk"
  SectionIn RO
  StrCpy $EndSteps 0
  Call EndPrograms
  !insertmacro DELETE_PROGRAM "" "$INSTDIR\desk.exe"
  !insertmacro DELETE_PROGRAM "" "$INSTDIR\desk-sim.exe"
  !insertmacro DELETE_PROGRAM "" "$INSTDIR\gallery.exe"

  SetOutPath "$INSTDIR"
  File "${PROGRAMS}/desk.exe"
  File "${PROGRAMS}/desk-sim.exe"
  File "${PROGRAMS}/gallery.exe"
  File "${DOCS}/README.txt"
  File "${DOCS}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The Start menu of every user (Windows 98 without user profiles has one).
  SetShellVarContext all
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  ; The desk and the simulated desk started from the Start menu open their
  ; panels (the Run value below starts the desk silently).
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\desk.exe" "--show"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\Try the Desk on Simulated Cards (no card needed).lnk" "$INSTDIR\desk-sim.exe" "--show"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\Control Gallery.lnk" "$INSTDIR\gallery.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\README.lnk" "$INSTDIR\README.txt"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\uninstall.exe"

  ; Started at every logon: only the desk's start gives the cards their
  ; settings back.
  WriteRegStr HKLM "${RUN_KEY}" "${ENTRY}" '"$INSTDIR\desk.exe"'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\desk.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The TaraDock-20 Control Desk developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Readme" "$INSTDIR\README.txt"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Takes away everything the setup made, and nothing else: the cards'
; records and the driver's options under
; HKLM\System\CurrentControlSet\Control\MediaResources\TaraDock24 stay.
; The simulated desk's settings of the user who uninstalls go: they hold
; nothing of a real card.
Section "Uninstall"
  StrCpy $EndSteps 0
  Call un.EndPrograms
  !insertmacro DELETE_PROGRAM "un." "$INSTDIR\desk.exe"
  !insertmacro DELETE_PROGRAM "un." "$INSTDIR\desk-sim.exe"
  !insertmacro DELETE_PROGRAM "un." "$INSTDIR\gallery.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: files the user put there stay with their folder.
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Try the Desk on Simulated Cards (no card needed).lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Control Gallery.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\README.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  DeleteRegValue HKLM "${RUN_KEY}" "${ENTRY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "${USER_KEY}\Simulated Cards"
  DeleteRegKey /ifempty HKCU "${USER_KEY}"
SectionEnd
