; The installer's file types: interval archives (.czt) and event archives (.zdr) open in
; Telvoran and show the program's second and third icons (resources/windows/Program.rc). SHCTX
; is the machine's registry for an installation for all users, the user's otherwise. Included
; by the install and the uninstall section alike: its macros are defined once.
!ifndef TELVORAN_FILE_TYPES
!define TELVORAN_FILE_TYPES

!macro TelvoranFileType EXT CLASS NAME ICON
  WriteRegStr SHCTX "Software\Classes\${EXT}" "" "${CLASS}"
  WriteRegStr SHCTX "Software\Classes\${CLASS}" "" "${NAME}"
  WriteRegStr SHCTX "Software\Classes\${CLASS}\DefaultIcon" "" "$INSTDIR\telvoran.exe,${ICON}"
  WriteRegStr SHCTX "Software\Classes\${CLASS}\shell\open\command" "" '"$INSTDIR\telvoran.exe" "%1"'
!macroend

; An extension is given up only while it still names Telvoran's type: a program installed later
; may have taken it over.
!macro TelvoranNoFileType EXT CLASS
  ReadRegStr $0 SHCTX "Software\Classes\${EXT}" ""
  StrCmp $0 "${CLASS}" 0 +2
    DeleteRegKey SHCTX "Software\Classes\${EXT}"
  DeleteRegKey SHCTX "Software\Classes\${CLASS}"
!macroend

; Explorer redraws the files' icons on this notice (SHCNE_ASSOCCHANGED).
!macro TelvoranFileTypesChanged
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

!macro TelvoranAddFileTypes
  !insertmacro TelvoranFileType ".czt" "Telvoran.IntervalArchive" "Telvoran interval archive" 1
  !insertmacro TelvoranFileType ".zdr" "Telvoran.EventArchive" "Telvoran event archive" 2
  !insertmacro TelvoranFileTypesChanged
!macroend

!macro TelvoranRemoveFileTypes
  !insertmacro TelvoranNoFileType ".czt" "Telvoran.IntervalArchive"
  !insertmacro TelvoranNoFileType ".zdr" "Telvoran.EventArchive"
  !insertmacro TelvoranFileTypesChanged
!macroend

!endif
