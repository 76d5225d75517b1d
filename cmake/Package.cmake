# The manual page, Debian's documentation files, and the Debian package:
# "cpack -G DEB" in a Release build makes vocanto_<version>_<arch>.deb from
# the install rules, with its dependencies found by dpkg-shlibdeps
# (scripts/package.sh does all of it).

set(VOCANTO_PACKAGE_MAINTAINER "The Vocanto developers <vocanto@example.org>"
    CACHE STRING "The package's maintainer: a name and a mail address")
set(VOCANTO_PACKAGING_SOURCE ${PROJECT_SOURCE_DIR}/packaging/debian)
set(VOCANTO_PACKAGING_BUILD ${CMAKE_CURRENT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${VOCANTO_PACKAGING_BUILD})

# Compressed as Debian wants them: best compression, and no name or time in
# the header, so that the same sources give the same bytes.
function(vocanto_gzip source target)
  execute_process(COMMAND gzip -9nc INPUT_FILE ${source} OUTPUT_FILE ${target}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip could not compress ${source}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()

vocanto_gzip(${PROJECT_SOURCE_DIR}/resources/install/vocanto.1
             ${VOCANTO_PACKAGING_BUILD}/vocanto.1.gz)
install(FILES ${VOCANTO_PACKAGING_BUILD}/vocanto.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

configure_file(${VOCANTO_PACKAGING_SOURCE}/changelog.in ${VOCANTO_PACKAGING_BUILD}/changelog @ONLY)
vocanto_gzip(${VOCANTO_PACKAGING_BUILD}/changelog ${VOCANTO_PACKAGING_BUILD}/changelog.gz)
install(FILES ${VOCANTO_PACKAGING_SOURCE}/copyright ${VOCANTO_PACKAGING_BUILD}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vocanto)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vocanto)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vocanto developers")
set(CPACK_PACKAGE_CONTACT ${VOCANTO_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "vocabulary trainer for learners of English")
set(CPACK_PACKAGE_DESCRIPTION
    "Vocanto keeps an English vocabulary, with its translations into Italian,
French, German, Spanish or another language, in plain .eng text files. It
shows the items for review, speaks them aloud, and drills them in timed
typing tests in both directions, judged at every keystroke. Items answered
late are marked critical for more practice, and a history keeps the result
of every test.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Help menu's page opens in the browser through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
