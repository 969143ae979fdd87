# Checks a Windows program's import table without running it, so that the 32-bit programs are checked
# even where the machine cannot run them:
# - it imports only from Windows' own libraries (everything else is linked statically);
# - each function named in REQUIRED ("library.dll:Function", A or W forms alike) is an ordinary
#   import of that library, resolved by the loader at start-up.
# Usage: cmake -DOBJDUMP=... -DPROGRAM=... "-DREQUIRED=a.dll:F;b.dll:G" -P import_table.cmake
cmake_minimum_required(VERSION 3.20)
set(windows_libraries advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll
                      user32.dll)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}")
endif()

string(REPLACE "\n" ";" lines "${dump}")
set(library "")
set(imports "")
foreach(line IN LISTS lines)
  if(line MATCHES "DLL Name: (.+)$")
    string(TOLOWER "${CMAKE_MATCH_1}" library)
    if(NOT library IN_LIST windows_libraries)
      message(SEND_ERROR "${PROGRAM} imports from ${library}, which is not one of Windows' own libraries")
    endif()
  elseif(library AND line MATCHES "^\t[0-9a-f]+\t +[0-9]+  ([A-Za-z0-9_]+)$")
    list(APPEND imports "${library}:${CMAKE_MATCH_1}")
  endif()
endforeach()

foreach(required IN LISTS REQUIRED)
  if(NOT "${required}A" IN_LIST imports AND NOT "${required}W" IN_LIST imports AND NOT required IN_LIST imports)
    message(SEND_ERROR "${PROGRAM} does not import ${required} when it starts")
  endif()
endforeach()
