# Checks a Windows program's manifest and version record without running it, read back from the exe
# by windres:
# - the manifest is well-formed XML for ARCHITECTURE (x86 or amd64), asks for no elevation (asInvoker)
#   and names Windows 7, 8, 8.1 and 10/11 as supported; SETTINGS ("name=value" items) are among its
#   windowsSettings; COMMON_CONTROLS says whether it depends on version 6 of the common controls;
# - the icon resource 1 is one 32 x 32 image in 16 colours;
# - the version record carries the project's VERSION (numbers and texts), the product "Squadwright",
#   DESCRIPTION, LICENSE's copyright line as LegalCopyright and its holder as CompanyName.
# Usage: cmake -DWINDRES=... -DXMLLINT=... -DPROGRAM=... -DLICENSE=... -DARCHITECTURE=x86 -DVERSION=2.0
#              "-DDESCRIPTION=..." "-DSETTINGS=dpiAware=true" -DCOMMON_CONTROLS=ON -P program_resources.cmake
cmake_minimum_required(VERSION 3.20)

execute_process(COMMAND ${WINDRES} -i ${PROGRAM} -O rc OUTPUT_VARIABLE resources RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${WINDRES} could not read the resources of ${PROGRAM}")
endif()

function(expect_in text what pattern)
  if(NOT text MATCHES "${pattern}")
    message(SEND_ERROR "${PROGRAM}: no ${what}")
  endif()
endfunction()

# The text as a regular expression that matches it literally.
function(literal variable text)
  string(REGEX REPLACE "([][()*+.?^$|\\\\])" "\\\\\\1" text "${text}")
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()

# The manifest (resource 1 of type 24) comes back as one quoted line of text per line, with "" for a
# quote and a closing \n.
set(manifest_start "\n1 24 /* RT_MANIFEST */\nBEGIN\n")
string(FIND "${resources}" "${manifest_start}" start)
if(start EQUAL -1)
  message(FATAL_ERROR "${PROGRAM} has no manifest (resource 1 of type 24)")
endif()
string(LENGTH "${manifest_start}" length)
math(EXPR start "${start} + ${length}")
string(SUBSTRING "${resources}" ${start} -1 manifest)
string(FIND "${manifest}" "\nEND\n" end)
string(SUBSTRING "${manifest}" 0 ${end} manifest)
string(REGEX REPLACE "(^|\n) *\"" "\\1" manifest "${manifest}")
string(REGEX REPLACE "\\\\n\"(\n|$)" "\n" manifest "${manifest}")
string(REPLACE "\"\"" "\"" manifest "${manifest}")

get_filename_component(program_name ${PROGRAM} NAME)
set(manifest_file ${CMAKE_CURRENT_BINARY_DIR}/${program_name}.manifest.xml)
file(WRITE ${manifest_file} "${manifest}")
execute_process(COMMAND ${XMLLINT} --noout ${manifest_file} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(SEND_ERROR "${PROGRAM}: the manifest is not well-formed XML (${manifest_file})")
endif()

expect_in("${manifest}" "manifest for ${ARCHITECTURE}"
          "<assemblyIdentity [^>]*processorArchitecture=\"${ARCHITECTURE}\"")
expect_in("${manifest}" "requestedExecutionLevel asInvoker" "<requestedExecutionLevel level=\"asInvoker\"")
foreach(system 35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38
               1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a)
  expect_in("${manifest}" "supportedOS {${system}}" "<supportedOS Id=\"{${system}}\"/>")
endforeach()
foreach(setting IN LISTS SETTINGS)
  string(REPLACE "=" ";" setting "${setting}")
  list(GET setting 0 name)
  list(GET setting 1 value)
  expect_in("${manifest}" "${name} ${value} in windowsSettings"
            "<windowsSettings>.*<${name} [^>]*>${value}</${name}>.*</windowsSettings>")
endforeach()
set(common_controls "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"[ \n]+processorArchitecture=\"${ARCHITECTURE}\"")
if(COMMON_CONTROLS)
  expect_in("${manifest}" "dependency on the common controls 6.0" "<dependency>.*${common_controls}.*</dependency>")
elseif(manifest MATCHES "Common-Controls")
  message(SEND_ERROR "${PROGRAM}: depends on the common controls, which it does not use")
endif()

# The icon group 1, as windres writes it back: its count of images, then each image's width, height and
# colours as octal escapes.
literal(pattern "\n1 14 /* RT_GROUP_ICON */\nBEGIN\n   0, 1, 1,")
literal(image "\n    \"\\040\\040\\020\\000\", 1, 4,")
expect_in("${resources}" "icon 1 of one 32 x 32 image in 16 colours" "${pattern}[^\n]*\n[^\n]*${image}")

# The version record, as windres writes it back: numbers separated by ", ", texts one VALUE a line.
string(REPLACE "." ";" numbers "${VERSION}")
list(APPEND numbers 0 0 0)
list(SUBLIST numbers 0 4 numbers)
list(JOIN numbers ", " numbers)
expect_in("${resources}" "FILEVERSION ${numbers}" "\n FILEVERSION ${numbers}\n")
expect_in("${resources}" "PRODUCTVERSION ${numbers}" "\n PRODUCTVERSION ${numbers}\n")

file(STRINGS ${LICENSE} copyright REGEX "^Copyright \\(c\\) [0-9]" LIMIT_COUNT 1)
string(REGEX REPLACE "^Copyright \\(c\\) [0-9, -]+ " "" holder "${copyright}")
foreach(value "FileVersion=${VERSION}" "ProductVersion=${VERSION}" "ProductName=Squadwright"
              "FileDescription=${DESCRIPTION}" "LegalCopyright=${copyright}")
  string(REPLACE "=" ";" value "${value}")
  list(GET value 0 name)
  list(GET value 1 text)
  literal(pattern "VALUE \"${name}\", \"${text}\"\n")
  expect_in("${resources}" "${name} \"${text}\"" "${pattern}")
endforeach()
# CompanyName is the holder, whose first letter may be capitalised.
string(TOLOWER "${resources}" resources)
string(TOLOWER "value \"CompanyName\", \"${holder}\"\n" company)
literal(pattern "${company}")
expect_in("${resources}" "CompanyName \"${holder}\"" "${pattern}")
