# The files that go with the program on a desktop: the instructions page, the
# starter vocabularies, the launcher entry, the icon, the AppStream
# description and the vocabulary file type.
#
# The instructions page is copied next to the program in the build tree
# (<build>/src/help/...) so that a program started from the build finds it,
# and is installed to <prefix>/share/vocanto/help/..., which the program finds
# from <prefix>/bin as ../share/vocanto/help/.... The starter vocabularies go
# the same way, to <build>/src/Starter vocabularies/ and
# <prefix>/share/vocanto/Starter vocabularies/: the folder's name is what the
# Open dialog shows for it.

set(VOCANTO_HELP_SOURCE ${PROJECT_SOURCE_DIR}/resources/help)
set(VOCANTO_INSTALL_SOURCE ${PROJECT_SOURCE_DIR}/resources/install)
set(VOCANTO_HELP_BUILD ${CMAKE_CURRENT_BINARY_DIR}/help)

# --- The instructions page in the build tree --------------------------------
file(GLOB_RECURSE VOCANTO_HELP_FILES CONFIGURE_DEPENDS ${VOCANTO_HELP_SOURCE}/*)
if(EXISTS ${VOCANTO_HELP_SOURCE})
  # At configure time, so that it is there before anything is built ...
  file(COPY ${VOCANTO_HELP_SOURCE}/ DESTINATION ${VOCANTO_HELP_BUILD})
endif()
# ... and again whenever a page changes.
set(VOCANTO_HELP_STAMP ${CMAKE_CURRENT_BINARY_DIR}/vocanto_help.stamp)
if(EXISTS ${VOCANTO_HELP_SOURCE})
  set(VOCANTO_HELP_COPY
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${VOCANTO_HELP_SOURCE} ${VOCANTO_HELP_BUILD})
endif()
add_custom_command(
  OUTPUT ${VOCANTO_HELP_STAMP}
  ${VOCANTO_HELP_COPY}
  COMMAND ${CMAKE_COMMAND} -E touch ${VOCANTO_HELP_STAMP}
  DEPENDS ${VOCANTO_HELP_FILES}
  COMMENT "Copying the instructions page next to the program")
add_custom_target(vocanto_help ALL DEPENDS ${VOCANTO_HELP_STAMP})
# Everything built from the library (the program and the tests) finds the
# page in place.
add_dependencies(vocanto_core vocanto_help)

# --- The starter vocabularies in the build tree -----------------------------
set(VOCANTO_STARTER_SOURCE ${PROJECT_SOURCE_DIR}/resources/starter)
set(VOCANTO_STARTER_FOLDER "Starter vocabularies")
set(VOCANTO_STARTER_BUILD "${CMAKE_CURRENT_BINARY_DIR}/${VOCANTO_STARTER_FOLDER}")
file(GLOB VOCANTO_STARTER_FILES CONFIGURE_DEPENDS ${VOCANTO_STARTER_SOURCE}/*.eng)
set(VOCANTO_STARTER_STAMP ${CMAKE_CURRENT_BINARY_DIR}/vocanto_starter.stamp)
if(VOCANTO_STARTER_FILES)
  file(COPY ${VOCANTO_STARTER_FILES} DESTINATION "${VOCANTO_STARTER_BUILD}")
  set(VOCANTO_STARTER_COPY
      COMMAND ${CMAKE_COMMAND} -E make_directory "${VOCANTO_STARTER_BUILD}"
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VOCANTO_STARTER_FILES}
              "${VOCANTO_STARTER_BUILD}")
endif()
add_custom_command(
  OUTPUT ${VOCANTO_STARTER_STAMP}
  ${VOCANTO_STARTER_COPY}
  COMMAND ${CMAKE_COMMAND} -E touch ${VOCANTO_STARTER_STAMP}
  DEPENDS ${VOCANTO_STARTER_FILES}
  COMMENT "Copying the starter vocabularies next to the program"
  VERBATIM)
add_custom_target(vocanto_starter ALL DEPENDS ${VOCANTO_STARTER_STAMP})
add_dependencies(vocanto_core vocanto_starter)

# --- Installing -------------------------------------------------------------
if(EXISTS ${VOCANTO_HELP_SOURCE})
  install(DIRECTORY ${VOCANTO_HELP_SOURCE}/
          DESTINATION ${CMAKE_INSTALL_DATADIR}/vocanto/help
          COMPONENT desktop)
endif()

if(VOCANTO_STARTER_FILES)
  install(FILES ${VOCANTO_STARTER_FILES}
          DESTINATION "${CMAKE_INSTALL_DATADIR}/vocanto/${VOCANTO_STARTER_FOLDER}"
          COMPONENT desktop)
endif()

file(GLOB VOCANTO_DESKTOP_FILES CONFIGURE_DEPENDS ${VOCANTO_INSTALL_SOURCE}/*.desktop)
file(GLOB VOCANTO_METAINFO_FILES CONFIGURE_DEPENDS ${VOCANTO_INSTALL_SOURCE}/*.metainfo.xml)
set(VOCANTO_ICON_SOURCE ${PROJECT_SOURCE_DIR}/resources/pictures/vocanto.svg)

install(FILES ${VOCANTO_DESKTOP_FILES}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT desktop)
install(FILES ${VOCANTO_METAINFO_FILES}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT desktop)

# The vocabulary file type, for shared-mime-info, named after the launcher
# entry as the desktop's tools like it.
set(VOCANTO_DESKTOP_ID io.github.vocanto.Vocanto)
set(VOCANTO_MIME_TYPE application/x-vocanto-vocabulary)
install(FILES ${VOCANTO_INSTALL_SOURCE}/${VOCANTO_DESKTOP_ID}.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${VOCANTO_DESKTOP_ID}.xml
        COMPONENT desktop)

# The icon is installed under the name the launcher entry asks for.
set(VOCANTO_ICON_NAME vocanto)
foreach(desktop_file ${VOCANTO_DESKTOP_FILES})
  file(STRINGS ${desktop_file} icon_line REGEX "^Icon=")
  if(icon_line)
    list(GET icon_line 0 icon_line)
    string(REGEX REPLACE "^Icon=[ \t]*" "" VOCANTO_ICON_NAME "${icon_line}")
    string(STRIP "${VOCANTO_ICON_NAME}" VOCANTO_ICON_NAME)
  endif()
endforeach()
if(EXISTS ${VOCANTO_ICON_SOURCE})
  install(FILES ${VOCANTO_ICON_SOURCE}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${VOCANTO_ICON_NAME}.svg
          COMPONENT desktop)
endif()

# --- Checks -----------------------------------------------------------------
# Each check skips (exit 77) when its tool is not installed.
set(VOCANTO_CHECK_SCRIPT ${PROJECT_SOURCE_DIR}/tests/desktop/check_with_tool.sh)
if(VOCANTO_DESKTOP_FILES)
  foreach(f ${VOCANTO_DESKTOP_FILES})
    get_filename_component(n ${f} NAME)
    add_test(NAME desktop_file_valid_${n}
             COMMAND sh ${VOCANTO_CHECK_SCRIPT} desktop-file-validate ${f})
    set_tests_properties(desktop_file_valid_${n} PROPERTIES SKIP_RETURN_CODE 77)
  endforeach()
else()
  add_test(NAME desktop_file_present
           COMMAND sh -c "echo 'no launcher entry (*.desktop) in resources/install' >&2; exit 1")
endif()
if(VOCANTO_METAINFO_FILES)
  foreach(f ${VOCANTO_METAINFO_FILES})
    get_filename_component(n ${f} NAME)
    add_test(NAME metainfo_valid_${n}
             COMMAND sh ${VOCANTO_CHECK_SCRIPT} appstreamcli validate --no-net ${f})
    set_tests_properties(metainfo_valid_${n} PROPERTIES SKIP_RETURN_CODE 77)
  endforeach()
else()
  add_test(NAME metainfo_present
           COMMAND sh -c "echo 'no AppStream file (*.metainfo.xml) in resources/install' >&2; exit 1")
endif()

# Installs the desktop files into a scratch prefix and checks that each lands
# where a desktop looks for it.
add_test(NAME desktop_install_layout
         COMMAND sh ${PROJECT_SOURCE_DIR}/tests/desktop/check_install.sh
                 ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR}/install-check
                 ${CMAKE_INSTALL_DATADIR} ${VOCANTO_ICON_NAME})

# Installs the whole program into a scratch prefix and asks xdg-mime which type
# a .eng file has and which program opens it.
add_test(NAME desktop_mime_type
         COMMAND sh ${PROJECT_SOURCE_DIR}/tests/desktop/check_mime.sh
                 ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR}/mime-check
                 ${CMAKE_INSTALL_DATADIR} ${VOCANTO_MIME_TYPE} ${VOCANTO_DESKTOP_ID}.desktop
                 ${PROJECT_VERSION})
set_tests_properties(desktop_mime_type PROPERTIES SKIP_RETURN_CODE 77)
