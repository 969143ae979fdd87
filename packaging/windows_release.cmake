# Makes the Windows release files from a build. Run with cmake -P by the build's targets:
# - MODE zip (release_windows): stages the programs and texts in STAGE_DIR and makes the portable
#   zip of the build's PLATFORM (win32 or win64) in OUT_DIR; takes VERSION, PLATFORM, STRIP, EDITOR,
#   CLI, SOURCE_DIR, STAGE_DIR and OUT_DIR.
# - MODE installer (release_installer): makes the one installer of both builds from their staged
#   folders; takes VERSION, NSIS_TARGET, STAGE32, STAGE64, SETUP_NAME, SOURCE_DIR and OUT_DIR.
#
# The bytes depend only on the sources: the files carry the time of the commit (SOURCE_DATE_EPOCH,
# else the checkout's last commit), the zip lists them in a fixed order with fixed permissions and
# no owners or extra times (zip -X), and its DOS times are read in UTC.
cmake_minimum_required(VERSION 3.20)

if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git -C ${SOURCE_DIR} log -1 --format=%ct OUTPUT_VARIABLE epoch
                  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
endif()

if(MODE STREQUAL "installer")
  foreach(stage "${STAGE32}" "${STAGE64}")
    if(NOT EXISTS ${stage}/squadwright.exe)
      message(FATAL_ERROR "No staged programs in \"${stage}\": the installer needs both Windows builds' "
                          "release_windows, the other one's folder given in SQUADWRIGHT_OTHER_STAGE.")
    endif()
  endforeach()
  # The welcome and finish pages' picture: the program's icon, enlarged, on its own turf.
  set(sidebar ${OUT_DIR}/installer-sidebar.bmp)
  execute_process(
    COMMAND convert -size 164x314 "xc:#004000" ( ${SOURCE_DIR}/res/squadwright.ico -delete 1--1 -scale 128x128 )
            -geometry +18+32 -composite -type palette -compress none BMP3:${sidebar}
    COMMAND_ERROR_IS_FATAL ANY)
  # The installer keeps the times of the files it holds, this picture's too.
  execute_process(COMMAND touch -d @${epoch} ${sidebar} COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "[0-9]+" version_numbers "${VERSION}.0.0.0")
  list(SUBLIST version_numbers 0 4 version_numbers)
  list(JOIN version_numbers "." version_numbers)
  include(${SOURCE_DIR}/cmake/copyright.cmake)
  execute_process(
    COMMAND makensis -V2 -WX -DVERSION=${VERSION} -DVERSION_NUMBERS=${version_numbers} -DTARGET=${NSIS_TARGET}
            "-DCOPYRIGHT=${copyright_line}" "-DPUBLISHER=${copyright_company}"
            -DSTAGE32=${STAGE32} -DSTAGE64=${STAGE64} -DICON=${SOURCE_DIR}/res/squadwright.ico
            -DSIDEBAR=${sidebar} -DOUTFILE=${OUT_DIR}/${SETUP_NAME} ${SOURCE_DIR}/packaging/squadwright.nsi
    COMMAND_ERROR_IS_FATAL ANY)
  return()
endif()

# A text file as Windows users read it: CRLF line ends, and the release's files named with the
# version (squadwright-VERSION-setup.exe becomes squadwright-2.0-setup.exe).
function(stage_text source name)
  file(READ ${source} text)
  string(REPLACE "squadwright-VERSION" "squadwright-${VERSION}" text "${text}")
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${STAGE_DIR}/${name} "${text}")
endfunction()

file(REMOVE_RECURSE ${STAGE_DIR})
file(MAKE_DIRECTORY ${STAGE_DIR} ${OUT_DIR})
# strip writes a time into the programs' headers: the commit's.
set(strip ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch} ${STRIP})
execute_process(COMMAND ${strip} -o ${STAGE_DIR}/squadwright.exe ${EDITOR} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${strip} -o ${STAGE_DIR}/squadwright-cli.exe ${CLI} COMMAND_ERROR_IS_FATAL ANY)
stage_text(${SOURCE_DIR}/packaging/README.txt README.txt)
stage_text(${SOURCE_DIR}/LICENSE LICENSE.txt)
stage_text(${SOURCE_DIR}/packaging/THIRD-PARTY-NOTICES.txt THIRD-PARTY-NOTICES.txt)

set(files squadwright.exe squadwright-cli.exe README.txt LICENSE.txt THIRD-PARTY-NOTICES.txt)
list(TRANSFORM files PREPEND ${STAGE_DIR}/ OUTPUT_VARIABLE staged)
execute_process(COMMAND chmod 0644 ${staged} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND touch -d @${epoch} ${staged} COMMAND_ERROR_IS_FATAL ANY)

set(zip ${OUT_DIR}/squadwright-${VERSION}-${PLATFORM}.zip)
file(REMOVE ${zip})
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -X -q -9 ${zip} ${files}
                WORKING_DIRECTORY ${STAGE_DIR} COMMAND_ERROR_IS_FATAL ANY)
