; The installer of TemposZORVA. It puts the program, its help file and the
; command-line twin into Tempovia's program folder, where the tables and
; Tempovia.ini lie, and writes an uninstaller that takes exactly those files
; away again. Nothing else in the folder is read, written or removed.
;
; make_packages.cmake builds it with makensis and these definitions:
;   VERSION_NSH  the generated zorva_version.nsh
;   PROGRAM, HELP_FILE, TWIN  the three files to install
;   OUTFILE      the installer to write
;   SIGN         sign.sh, when a certificate is given: it signs the installer
;                and the uninstaller that the installer writes
; Silent use: <installer> /S /D=C:\Tempovia    <uninstaller> /S

; The programs are 64-bit, and so is the installer.
Target amd64-unicode

; The installer is started from a download folder and the uninstaller from
; Tempovia's folder, both of which others can write. NSIS 3's installers and
; uninstallers narrow their library search to the system folder and take
; from there, first thing, the system libraries that Windows would look for
; in their own folder; tests/release/planted_library_check.sh checks it with
; the NSIS of Debian 12 (3.08).
!if ${NSIS_PACKEDVERSION} < 0x03008000
  !error "NSIS 3.08 or later is needed: older ones may load libraries from the installer's own folder"
!endif
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "${VERSION_NSH}"

!ifdef SIGN
  ; The uninstaller is signed as makensis builds it, before it goes into the
  ; installer, which writes it out unchanged; the installer once it is whole.
  !uninstfinalize 'sh "${SIGN}" "%1"' = 0
  !finalize 'sh "${SIGN}" "%1"' = 0
!endif

!define UNINSTALLER "TemposZORVA-desinstalar.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TemposZORVA"

; The installed files, one list for both the installer and the uninstaller:
; each line calls the macro named by `action` with the installed name and
; the file in the build.
!macro ZorvaFiles action
  !insertmacro ${action} "TemposZORVA.exe" "${PROGRAM}"
  !insertmacro ${action} "NA.chm" "${HELP_FILE}"
  !insertmacro ${action} "zorva-export.exe" "${TWIN}"
!macroend
!macro InstallFile name source
  File "/oname=${name}" "${source}"
!macroend
!macro RemoveFile name source
  Delete "$INSTDIR\${name}"
!macroend

Name "TemposZORVA ${ZORVA_VERSION}"
OutFile "${OUTFILE}"
; Tempovia's folder is chosen on the folder page (or with /D=); the page
; offers the folder of an earlier install first, else this one.
InstallDir "C:\Tempovia"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
; The folder may lie under Program Files, and the entry in the list of
; installed programs is machine-wide.
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
BrandingText "TemposZORVA ${ZORVA_VERSION}"

!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TITLE_3LINES
!define MUI_WELCOMEPAGE_TEXT "Este asistente instala TemposZORVA ${ZORVA_VERSION}, que exporta el horario de Tempovia al archivo XML que importa ZORVA.$\r$\n$\r$\nSe instalan tres archivos en la carpeta de programa de Tempovia: TemposZORVA.exe, su ayuda NA.chm y zorva-export.exe. Las tablas, Tempovia.ini y los demás archivos de la carpeta no se modifican."
!insertmacro MUI_PAGE_WELCOME

!define MUI_DIRECTORYPAGE_TEXT_TOP "Elija la carpeta de programa de Tempovia: la que contiene Tempovia.ini y las tablas Asig.DBF, NOMASG.DBF, PROF.DBF, GRUP.DBF y AULA.DBF. TemposZORVA busca allí las tablas y deja allí el resultado para Tempovia."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "Carpeta de programa de Tempovia"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckTempoviaFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE_3LINES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Spanish"

; The version block names no copyright holder.
!pragma warning disable 9100
VIProductVersion "${ZORVA_VERSION}"
VIFileVersion "${ZORVA_VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductName" "TemposZORVA"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileDescription" "Instalación de TemposZORVA"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileVersion" "${ZORVA_VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductVersion" "${ZORVA_VERSION}"

; A folder without the host's files is most likely a slip on the folder
; page: the program would then find no tables. Ask before going on.
Function CheckTempoviaFolder
  ${IfNot} ${FileExists} "$INSTDIR\Tempovia.ini"
  ${AndIfNot} ${FileExists} "$INSTDIR\Asig.DBF"
    MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 \
      "En la carpeta $INSTDIR no están Tempovia.ini ni Asig.DBF: no parece la carpeta de programa de Tempovia.$\r$\n$\r$\nTemposZORVA lee las tablas de la carpeta donde se instala. ¿Instalar aquí de todos modos?" \
      IDYES keep
    Abort
    keep:
  ${EndIf}
FunctionEnd

Section "TemposZORVA"
  SetOutPath "$INSTDIR"
  !insertmacro ZorvaFiles InstallFile
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "TemposZORVA"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${ZORVA_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\TemposZORVA.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  !insertmacro ZorvaFiles RemoveFile
  Delete "$INSTDIR\${UNINSTALLER}"
  ; The folder is Tempovia's: it goes only when nothing at all is left in it.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
