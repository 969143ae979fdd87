# The release packages, all named and versioned from project(): in a Windows build the portable zip
# (target release_windows) and the one installer of both Windows builds (release_installer), in the
# native build the Debian package of the league tool (cpack, after building squadwright-cli and
# squadwright-cli-docs, its manual page and changelog). scripts/package makes them all.

if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(platform win32)
    set(other_platform win64)
    set(nsis_target x86-unicode)
  else()
    set(platform win64)
    set(other_platform win32)
    set(nsis_target amd64-unicode)
  endif()
  find_program(SQUADWRIGHT_STRIP NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-strip REQUIRED)
  set(release_dir ${CMAKE_BINARY_DIR}/release)
  add_custom_target(release_windows
    COMMAND ${CMAKE_COMMAND} -DMODE=zip -DVERSION=${PROJECT_VERSION} -DPLATFORM=${platform}
            -DSTRIP=${SQUADWRIGHT_STRIP} -DEDITOR=$<TARGET_FILE:squadwright> -DCLI=$<TARGET_FILE:squadwright-cli>
            -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DSTAGE_DIR=${release_dir}/stage -DOUT_DIR=${release_dir}
            -P ${CMAKE_SOURCE_DIR}/packaging/windows_release.cmake
    DEPENDS squadwright squadwright-cli
    COMMENT "Making the ${platform} zip"
    VERBATIM)

  # The installer runs on 32-bit and 64-bit Windows alike, so the shipped one is made by the 32-bit
  # build; made by the 64-bit build, it is a stand-in for machines that cannot run 32-bit programs.
  set(SQUADWRIGHT_OTHER_STAGE "" CACHE PATH
      "The ${other_platform} build's staged files (its release/stage after release_windows), for the installer")
  set(stage_${platform} ${release_dir}/stage)
  set(stage_${other_platform} ${SQUADWRIGHT_OTHER_STAGE})
  set(setup_name squadwright-${PROJECT_VERSION}-setup.exe)
  if(platform STREQUAL "win64")
    set(setup_name squadwright-${PROJECT_VERSION}-win64-setup.exe)
  endif()
  add_custom_target(release_installer
    COMMAND ${CMAKE_COMMAND} -DMODE=installer -DVERSION=${PROJECT_VERSION} -DNSIS_TARGET=${nsis_target}
            -DSTAGE32=${stage_win32} -DSTAGE64=${stage_win64} -DSETUP_NAME=${setup_name}
            -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DOUT_DIR=${release_dir}
            -P ${CMAKE_SOURCE_DIR}/packaging/windows_release.cmake
    DEPENDS release_windows
    COMMENT "Making the installer of the win32 and win64 programs"
    VERBATIM)
  return()
endif()

# The manual page, from its scdoc source (scdoc takes its date from SOURCE_DATE_EPOCH).
find_program(SQUADWRIGHT_SCDOC scdoc REQUIRED)
set(man_source ${CMAKE_SOURCE_DIR}/cli/squadwright-cli.1.scd)
set(man_page ${CMAKE_BINARY_DIR}/squadwright-cli.1.gz)
add_custom_command(
  OUTPUT ${man_page}
  COMMAND sh -c "\"$1\" <\"$2\" | gzip -9n >\"$3\"" sh ${SQUADWRIGHT_SCDOC} ${man_source} ${man_page}
  DEPENDS ${man_source}
  VERBATIM)

# The package's maintainer, also the changelog's author: scripts/package passes the one setting.
set(SQUADWRIGHT_MAINTAINER "Squadwright developers <squadwright@example.org>" CACHE STRING
    "The Debian package's maintainer, \"Name <address>\"")

# A native package's changelog: one entry for the version, dated by the commit (string(TIMESTAMP)
# takes SOURCE_DATE_EPOCH).
string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${CMAKE_BINARY_DIR}/changelog
     "squadwright-cli (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
     "  * Squadwright ${PROJECT_VERSION}.\n\n"
     " -- ${SQUADWRIGHT_MAINTAINER}  ${changelog_date}\n")
set(changelog ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_command(
  OUTPUT ${changelog}
  COMMAND sh -c "gzip -9n <\"$1\" >\"$2\"" sh ${CMAKE_BINARY_DIR}/changelog ${changelog}
  DEPENDS ${CMAKE_BINARY_DIR}/changelog
  VERBATIM)
add_custom_target(squadwright-cli-docs ALL DEPENDS ${man_page} ${changelog})

set(doc_dir share/doc/squadwright-cli)
install(TARGETS squadwright-cli RUNTIME DESTINATION bin)
# Stripped as Debian strips programs, without the compiler's .comment notes.
install(CODE "execute_process(COMMAND ${CMAKE_STRIP} --remove-section=.comment --remove-section=.note
                              --strip-unneeded \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/squadwright-cli\"
                              COMMAND_ERROR_IS_FATAL ANY)")
install(FILES ${man_page} DESTINATION share/man/man1)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/debian-copyright DESTINATION ${doc_dir} RENAME copyright)
install(FILES ${changelog} ${CMAKE_SOURCE_DIR}/cli/README.md DESTINATION ${doc_dir})

# The Debian package; SOURCE_DATE_EPOCH in the environment fixes its times, dpkg-shlibdeps finds the
# shared libraries it needs (libcsv among them).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME squadwright-cli)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${SQUADWRIGHT_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "league tool for Vantor team files")
# The extended description, one line of the control file each.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
       "squadwright-cli works on the team files (.fbt) of the football game Vantor from"
       "a shell, through the same core as the Squadwright editor: a file is read,"
       "mapped and saved exactly as in the editor."
       ""
       "It shows a team page by page, exports a team or a whole league to one CSV or"
       "JSON sheet and imports it back (all files or none), lists the differences"
       "between two teams, and checks team files for what the editor would change."
       "Every file is written whole or not at all, never over an input.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/release)
include(CPack)
