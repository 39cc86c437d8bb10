# Manual pages from the programs' own --help and --version, and the Debian package:
# cmake --preset release && cmake --build --preset release && (cd build/release && cpack -G DEB)

include(GNUInstallDirs)

# Sanitized and fuzzing builds would print their reports into the pages; they are not shipped.
find_program(HELP2MAN help2man)
if(HELP2MAN AND NOT ROTAM_SANITIZE AND NOT ROTAM_FUZZ)
    set(man_pages)
    foreach(program rotam-print rotam-pdf)
        if(program STREQUAL "rotam-print")
            set(summary "print the grid puzzles of a Japanese puzzle mail magazine")
        else()
            set(summary "list the puzzles of mail files, as text or JSON, or print them to PDF")
        endif()
        set(page ${CMAKE_CURRENT_BINARY_DIR}/man/${program}.1)
        add_custom_command(
            OUTPUT ${page}.gz
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
            # The help texts are UTF-8; help2man reads them as ASCII unless told.
            COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                    ${HELP2MAN} --locale=C.UTF-8 --no-info --section=1
                    --name=${summary} --output=${page} $<TARGET_FILE:${program}>
            COMMAND gzip -9nf ${page}
            DEPENDS ${program}
            COMMENT "Writing the manual page of ${program}"
            VERBATIM)
        list(APPEND man_pages ${page}.gz)
    endforeach()
    add_custom_target(man-pages ALL DEPENDS ${man_pages})
    install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
elseif(NOT HELP2MAN)
    message(STATUS "help2man not found: no manual pages (scripts/setup.sh installs it)")
endif()

# Packaging needs the programs and their pages, not the tests and benchmarks too.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_PACKAGE_NAME rotam-print)
set(CPACK_PACKAGE_CONTACT "rotam-print developers <rotam-print@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "print the grid puzzles of the mail magazine 今日のロタム")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "rotam-print reads saved issues of the daily e-mail magazine 今日のロタム"
    "(CP932, UTF-8 or ISO-2022-JP text files, .eml messages, mbox files, Maildirs and"
    "folders, or pasted mail text), lists them by title"
    "with a preview, and prints each checked issue on a page of its own: header, title,"
    "an empty labelled grid, hints and comment. rotam-pdf does the same from the"
    "command line, as a list, as JSON or as a PDF file.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not found by dpkg-shlibdeps: the pages are laid out in IPA fonts, Qt's dialogs are
# translated by qt6-translations-l10n, and the library is read through Qt's SQLite plugin.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont, qt6-translations-l10n, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
