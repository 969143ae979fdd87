# The release packages, all named and versioned from project(): in a Windows build the portable zip
# and the per-user installer (target release_windows), in the native build the Debian package of
# the league tool (cpack, after building squadwright-cli and its manual page). scripts/package
# makes them all.

if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(platform win32)
    set(nsis_target x86-unicode)
  else()
    set(platform win64)
    set(nsis_target amd64-unicode)
  endif()
  find_program(SQUADWRIGHT_STRIP NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-strip REQUIRED)
  add_custom_target(release_windows
    COMMAND ${CMAKE_COMMAND} -DVERSION=${PROJECT_VERSION} -DPLATFORM=${platform} -DNSIS_TARGET=${nsis_target}
            -DSTRIP=${SQUADWRIGHT_STRIP} -DEDITOR=$<TARGET_FILE:squadwright> -DCLI=$<TARGET_FILE:squadwright-cli>
            -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DSTAGE_DIR=${CMAKE_BINARY_DIR}/release/stage
            -DOUT_DIR=${CMAKE_BINARY_DIR}/release -P ${CMAKE_SOURCE_DIR}/packaging/windows_release.cmake
    DEPENDS squadwright squadwright-cli
    COMMENT "Making the Windows zip and installer"
    VERBATIM)
  return()
endif()

# The manual page, from the tool's own --help and --version.
set(man_page ${CMAKE_BINARY_DIR}/squadwright-cli.1.gz)
add_custom_command(
  OUTPUT ${man_page}
  COMMAND sh -c "help2man --no-info --no-discard-stderr --name=\"$1\" \"$2\" | gzip -9n >\"$3\""
          sh "work on Vantor team files and whole leagues" $<TARGET_FILE:squadwright-cli> ${man_page}
  DEPENDS squadwright-cli
  VERBATIM)
add_custom_target(squadwright-cli-man ALL DEPENDS ${man_page})

install(TARGETS squadwright-cli RUNTIME DESTINATION bin)
install(FILES ${man_page} DESTINATION share/man/man1)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION share/doc/squadwright-cli RENAME copyright)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/THIRD-PARTY-NOTICES.txt DESTINATION share/doc/squadwright-cli)

# The Debian package; SOURCE_DATE_EPOCH in the environment fixes its times, dpkg-shlibdeps finds the
# shared libraries it needs (libcsv among them).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME squadwright-cli)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Squadwright developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "league tool for Vantor team files")
set(CPACK_PACKAGE_DESCRIPTION
    "It shows, exports, imports, compares and checks the team files (.fbt) of Vantor, one or a whole league.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/release)
include(CPack)
