# Makes the Windows release files from a build: the portable zip and the per-user installer.
# Run with cmake -P by the build's release_windows target, which passes VERSION, PLATFORM (win32 or
# win64), NSIS_TARGET, STRIP, EDITOR, CLI, SOURCE_DIR, STAGE_DIR and OUT_DIR.
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

# A text file as Windows users read it: CRLF line ends.
function(stage_text source name)
  file(READ ${source} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${STAGE_DIR}/${name} "${text}")
endfunction()

file(REMOVE_RECURSE ${STAGE_DIR})
file(MAKE_DIRECTORY ${STAGE_DIR} ${OUT_DIR})
execute_process(COMMAND ${STRIP} -o ${STAGE_DIR}/squadwright.exe ${EDITOR} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${STRIP} -o ${STAGE_DIR}/squadwright-cli.exe ${CLI} COMMAND_ERROR_IS_FATAL ANY)
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

# The shipped 32-bit installer is squadwright-VERSION-setup.exe; a 64-bit one names its platform.
set(setup_name squadwright-${VERSION}-setup.exe)
if(NOT PLATFORM STREQUAL "win32")
  set(setup_name squadwright-${VERSION}-${PLATFORM}-setup.exe)
endif()
string(REGEX MATCHALL "[0-9]+" version_numbers "${VERSION}.0.0.0")
list(SUBLIST version_numbers 0 4 version_numbers)
list(JOIN version_numbers "." version_numbers)
execute_process(
  COMMAND makensis -V2 -WX -DVERSION=${VERSION} -DVERSION_NUMBERS=${version_numbers} -DTARGET=${NSIS_TARGET}
          -DSTAGE=${STAGE_DIR} -DOUTFILE=${OUT_DIR}/${setup_name} ${SOURCE_DIR}/packaging/squadwright.nsi
  COMMAND_ERROR_IS_FATAL ANY)
