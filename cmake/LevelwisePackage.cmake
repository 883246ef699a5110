# Packages of the installed tree, made with cpack in the build folder: a Debian package on
# Linux; on Windows an installer (NSIS) and a portable zip.
set(CPACK_PACKAGE_VENDOR "${LEVELWISE_AUTHORS}")
set(CPACK_PACKAGE_CONTACT "${LEVELWISE_AUTHORS} <levelwise@levelwise.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${LEVELWISE_SUMMARY}")
# Words on lines of at most 72 bytes, as a Debian package's long description keeps them.
function(levelwise_wrap out text)
    string(REPLACE " " ";" words "${text}")
    set(lines "")
    set(line "")
    foreach(word IN LISTS words)
        string(LENGTH "${line} ${word}" length)
        if(line AND length GREATER 72)
            string(APPEND lines "${line}\n")
            set(line "${word}")
        elseif(line)
            string(APPEND line " ${word}")
        else()
            set(line "${word}")
        endif()
    endforeach()
    set(${out} "${lines}${line}" PARENT_SCOPE)
endfunction()

# The long description, in English and Hungarian as in the AppStream metadata; the Hungarian
# texts also reach the winget manifests through CPack's configuration.
levelwise_wrap(english "${LEVELWISE_DESCRIPTION} Prices are read with the user's regional number settings.")
levelwise_wrap(hungarian "Magyarul: ${LEVELWISE_DESCRIPTION_HU}")
set(CPACK_PACKAGE_DESCRIPTION "${english}\n\n${hungarian}")
set(CPACK_LEVELWISE_DESCRIPTION "${LEVELWISE_DESCRIPTION}")
set(CPACK_LEVELWISE_COPYRIGHT "${LEVELWISE_COPYRIGHT}")
set(CPACK_LEVELWISE_SUMMARY_HU "${LEVELWISE_SUMMARY_HU}")
set(CPACK_LEVELWISE_DESCRIPTION_HU "${LEVELWISE_DESCRIPTION_HU}")
set(CPACK_PACKAGE_VERSION ${LEVELWISE_DISPLAY_VERSION})
# Values reach cpack exactly as written here, quotes and dollars included.
set(CPACK_VERBATIM_VARIABLES ON)

if(WIN32)
    set(CPACK_PACKAGE_NAME ${LEVELWISE_TITLE})
    set(CPACK_GENERATOR NSIS ZIP)
    set(CPACK_PACKAGE_FILE_NAME ${LEVELWISE_TITLE}-${LEVELWISE_DISPLAY_VERSION}-win64)
    # The installer's name, contents and layout per generator are set in this file.
    configure_file(${CMAKE_CURRENT_LIST_DIR}/LevelwisePackageGenerators.cmake.in
                   ${CMAKE_BINARY_DIR}/LevelwisePackageGenerators.cmake @ONLY)
    set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/LevelwisePackageGenerators.cmake)

    set(CPACK_PACKAGE_INSTALL_DIRECTORY ${LEVELWISE_TITLE})
    set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${LEVELWISE_TITLE})
    set(CPACK_NSIS_PACKAGE_NAME ${LEVELWISE_TITLE})
    set(CPACK_NSIS_DISPLAY_NAME ${LEVELWISE_TITLE})
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
    set(CPACK_NSIS_INSTALLED_ICON_NAME ${LEVELWISE_TITLE}.exe)
    set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/app/art/levelwise.ico)
    set(CPACK_NSIS_MUI_UNIICON ${CPACK_NSIS_MUI_ICON})
    set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
    # The licence page shows the program's own licence, not CPack's placeholder text.
    set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_BINARY_DIR}/app/windows/LICENSE.txt)
    # A 64-bit Unicode installer: it writes the 64-bit registry view and Program Files, runs
    # where only 64-bit Windows programs run, and shows every language's letters. NSIS picks
    # the texts of the user's language (Hungarian among them) by itself. When a certificate is
    # given, the uninstaller and the installer are signed as makensis writes them (the program
    # inside is signed already).
    set(CPACK_NSIS_DEFINES "
  Unicode true
  Target amd64-unicode
  ; No file times in the installer: the same files give the same setup, whenever they were built.
  SetDateSave off
  !include FileFunc.nsh
  VIProductVersion ${PROJECT_VERSION}
  VIFileVersion ${PROJECT_VERSION}
  VIAddVersionKey /LANG=1033 ProductName \"${LEVELWISE_TITLE}\"
  VIAddVersionKey /LANG=1033 ProductVersion \"${LEVELWISE_DISPLAY_VERSION}\"
  VIAddVersionKey /LANG=1033 FileVersion \"${LEVELWISE_DISPLAY_VERSION}\"
  VIAddVersionKey /LANG=1033 FileDescription \"${LEVELWISE_TITLE} ${LEVELWISE_DISPLAY_VERSION} Setup\"
  VIAddVersionKey /LANG=1033 CompanyName \"${CPACK_PACKAGE_VENDOR}\"
  VIAddVersionKey /LANG=1033 LegalCopyright \"${LEVELWISE_COPYRIGHT}\"
  VIAddVersionKey /LANG=1033 OriginalFilename \"${CPACK_PACKAGE_FILE_NAME}-setup.exe\"
  !uninstfinalize '\"${PROJECT_SOURCE_DIR}/app/windows/sign.sh\" \"%1\"'
  !finalize '\"${PROJECT_SOURCE_DIR}/app/windows/sign.sh\" \"%1\"'
  ; One shortcut, Levelwise, straight in the Start menu's programs, as the MSI makes it: no
  ; folder to choose and no uninstall shortcut (programs are removed from Settings). The
  ; page is declared without a page: the folder the template still writes is its default.
  !macroundef MUI_PAGE_STARTMENU
  !macro MUI_PAGE_STARTMENU ID VAR
    !define MUI_STARTMENUPAGE_\${ID}_VARIABLE \"\${VAR}\"
    !define MUI_STARTMENUPAGE_\${ID}_DEFAULTFOLDER \"$(^Name)\"
    !undef MUI_STARTMENUPAGE_REGISTRY_ROOT
    !undef MUI_STARTMENUPAGE_REGISTRY_KEY
    !undef MUI_STARTMENUPAGE_REGISTRY_VALUENAME
  !macroend")
    # The installed-apps entry as Windows reads it: numbers, not the text "1" the template
    # writes, for no Modify and Repair buttons, and the size the program takes.
    set(uninstall_key "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${LEVELWISE_TITLE}")
    # Installed from the MSI already (its shortcut's key is there), a second entry would fight
    # over the same folder: the setup refuses and says what to do.
    # An older setup made a Start-menu folder of the user's choice (Levelwise by default)
    # holding the program's and the uninstaller's shortcuts; they go before the upgrade.
    set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS "
  ReadRegDWORD $0 HKLM \"Software\\${CPACK_PACKAGE_VENDOR}\\${LEVELWISE_TITLE}\" \"Shortcut\"
  StrCmp $0 1 0 +3
    MessageBox MB_OK|MB_ICONSTOP \"A Levelwise a Windows Installer csomagjával (MSI) már telepítve van; előbb azt távolítsa el.$\\r$\\nLevelwise is installed from its Windows Installer package (MSI); uninstall that first.\" /SD IDOK
    Abort
  ReadRegStr $0 SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\\${LEVELWISE_TITLE}\" \"Start Menu Folder\"
  StrCmp $0 \"\" +5
    Delete \"$SMPROGRAMS\\$0\\${LEVELWISE_TITLE}.lnk\"
    Delete \"$SMPROGRAMS\\$0\\Uninstall.lnk\"
    RMDir \"$SMPROGRAMS\\$0\"
    DeleteRegValue SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\\${LEVELWISE_TITLE}\" \"Start Menu Folder\"")
    set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  Delete \"$SMPROGRAMS\\$STARTMENU_FOLDER\\Uninstall.lnk\"
  RMDir \"$SMPROGRAMS\\$STARTMENU_FOLDER\"
  CreateShortCut \"$SMPROGRAMS\\${LEVELWISE_TITLE}.lnk\" \"$INSTDIR\\${LEVELWISE_TITLE}.exe\"
  WriteRegDWORD SHCTX \"${uninstall_key}\" \"NoModify\" 1
  WriteRegDWORD SHCTX \"${uninstall_key}\" \"NoRepair\" 1
  \${GetSize} \"$INSTDIR\" \"/S=0K\" $0 $1 $2
  WriteRegDWORD SHCTX \"${uninstall_key}\" \"EstimatedSize\" $0")
    # The uninstaller removes the publisher's key too once nothing of ours is left in it.
    set(CPACK_NSIS_DELETE_ICONS_EXTRA "
  Delete \"$SMPROGRAMS\\${LEVELWISE_TITLE}.lnk\"
  DeleteRegKey /ifempty SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\"")
else()
    set(CPACK_PACKAGE_NAME levelwise)
    set(CPACK_STRIP_FILES ON)
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION misc)
    # The shared libraries come from dpkg-shlibdeps; the X11 platform plugin ships with
    # libqt6gui6. The window's fonts, Qt's Wayland platform and its translations are
    # loaded at run time, so they are dependencies of their own.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libqt6gui6 (>= 6.4), fonts-liberation2, qt6-wayland, qt6-translations-l10n")
endif()
include(CPack)
