# What `cmake --install` puts where, below the install prefix:
#   lib/keywright24/             the program folder: the program, its Help folder, and the place where the
#                                external programs (loader, port selection, test programs) are expected
#   bin/keywright24              a symbolic link to the program; the program finds its folder through the
#                                link's target, so it still looks in lib/keywright24
#   bin/keywright24-cli          the command-line tool
#   share/applications, share/mime/packages, share/icons/hicolor/scalable/apps, share/man/man1
include(GNUInstallDirs)

set(KW24_PROGRAM_FOLDER lib/keywright24 CACHE STRING "The program folder, relative to the install prefix")

install(TARGETS keywright24-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The manual page with the program's version, compressed as Debian's manual pages are.
string(REGEX MATCH "^[0-9]+\\.[0-9]+\\.[0-9]+" KW24_MAN_VERSION ${PROJECT_VERSION})
configure_file(${PROJECT_SOURCE_DIR}/cli/keywright24-cli.1 ${PROJECT_BINARY_DIR}/keywright24-cli.1 @ONLY)
if(WIN32)
  # Windows has no manual page reader: the page goes beside the tool as plain text.
  set(kw24_man_text ${PROJECT_BINARY_DIR}/keywright24-cli.txt)
  add_custom_command(OUTPUT ${kw24_man_text}
    COMMAND groff -man -Tutf8 -P-c -P-b -P-u ${PROJECT_BINARY_DIR}/keywright24-cli.1 > ${kw24_man_text}
    DEPENDS ${PROJECT_BINARY_DIR}/keywright24-cli.1
    VERBATIM)
  add_custom_target(keywright24_man_page ALL DEPENDS ${kw24_man_text})
  install(FILES ${kw24_man_text} DESTINATION ${CMAKE_INSTALL_BINDIR})
  return()
endif()
set(kw24_man_page ${PROJECT_BINARY_DIR}/keywright24-cli.1.gz)
add_custom_command(OUTPUT ${kw24_man_page}
  COMMAND gzip -9 --no-name --stdout ${PROJECT_BINARY_DIR}/keywright24-cli.1 > ${kw24_man_page}
  DEPENDS ${PROJECT_BINARY_DIR}/keywright24-cli.1
  VERBATIM)
add_custom_target(keywright24_man_page ALL DEPENDS ${kw24_man_page})
install(FILES ${kw24_man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(KW24_BUILD_GUI)
  install(TARGETS keywright24 RUNTIME DESTINATION ${KW24_PROGRAM_FOLDER})
  # Our own port picker and testers, started when the keypad's Windows tools are not there.
  foreach(companion keywright24-portpicker keywright24-serialtester keywright24-keytester)
    if(TARGET ${companion})
      install(TARGETS ${companion} RUNTIME DESTINATION ${KW24_PROGRAM_FOLDER})
    endif()
  endforeach()
  install(FILES ${KW24_HELP_DOCUMENTS} DESTINATION ${KW24_PROGRAM_FOLDER}/Help)

  # The link is made relative, so the installed tree can be moved or packaged as it is.
  file(RELATIVE_PATH kw24_link_target /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${KW24_PROGRAM_FOLDER}/keywright24)
  file(CREATE_LINK ${kw24_link_target} ${PROJECT_BINARY_DIR}/keywright24-link SYMBOLIC)
  install(FILES ${PROJECT_BINARY_DIR}/keywright24-link DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME keywright24)

  set(kw24_desktop ${PROJECT_SOURCE_DIR}/resources/desktop)
  install(FILES ${kw24_desktop}/keywright24.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${kw24_desktop}/keywright24-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
    RENAME keywright24.xml)
  install(FILES ${kw24_desktop}/keywright24.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
