# The resources of the two Windows programs, squadwright.exe and squadwright-cli.exe: each program's
# resource script (res/PROGRAM.rc) compiled by windres with its manifest, configured from the one
# squadwright.manifest.in, and version_record.h, which gives its version record (version.rc) the
# project's version and the copyright holder named in LICENSE.

# The manifest names the architecture of the program it is built into: x86 for the 32-bit programs,
# amd64 for the 64-bit ones (Windows refuses a 64-bit program whose manifest asks for the x86 common
# controls).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(manifest_architecture amd64)
else()
  set(manifest_architecture x86)
endif()

# The version record takes the project's version: 2.0, and 2,0,0,0 for the record's numbers.
set(version_numbers ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR} ${PROJECT_VERSION_PATCH} ${PROJECT_VERSION_TWEAK}
                    0 0 0)
list(SUBLIST version_numbers 0 4 version_numbers)
list(JOIN version_numbers "," version_numbers)

# LegalCopyright and CompanyName name the copyright holder of LICENSE.
include(${CMAKE_SOURCE_DIR}/cmake/copyright.cmake)

set(resource_build_dir ${CMAKE_BINARY_DIR}/res)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version_record.h.in ${resource_build_dir}/version_record.h @ONLY)

# What each program's manifest says beyond the common part: its assembly name and description; the
# editor asks for version 6 of the common controls and is DPI aware (Windows does not stretch its
# window as a bitmap: the window takes its size from the pages, winmain.cpp), the league tool takes
# paths longer than MAX_PATH where the system allows them. A dependency that is there starts on a
# line of its own.
set(squadwright_manifest_name Squadwright.XPManifest)
set(squadwright_manifest_description Squadwright)
set(squadwright_manifest_dependency [[

  <dependency>
    <dependentAssembly>
      <assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0"
                        processorArchitecture="@manifest_architecture@" publicKeyToken="6595b64144ccf1df" language="*"/>
    </dependentAssembly>
  </dependency>]])
set(squadwright_manifest_settings [[
      <dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true</dpiAware>]])
set(squadwright-cli_manifest_name Squadwright.LeagueTool)
set(squadwright-cli_manifest_description "Squadwright league tool")
set(squadwright-cli_manifest_dependency "")
set(squadwright-cli_manifest_settings [[
      <longPathAware xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">true</longPathAware>]])

# squadwright_resources(PROGRAM OBJECT_VARIABLE): compiles res/PROGRAM.rc with the program's manifest
# and sets OBJECT_VARIABLE to the object to link.
function(squadwright_resources program object_variable)
  set(manifest_name ${${program}_manifest_name})
  set(manifest_description ${${program}_manifest_description})
  string(CONFIGURE "${${program}_manifest_dependency}" manifest_dependency @ONLY)
  set(manifest_settings "${${program}_manifest_settings}")
  configure_file(${CMAKE_SOURCE_DIR}/res/squadwright.manifest.in ${resource_build_dir}/${program}.manifest @ONLY)

  set(object ${CMAKE_CURRENT_BINARY_DIR}/${program}_resources.o)
  file(GLOB inputs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.rc ${CMAKE_SOURCE_DIR}/res/*.h
       ${CMAKE_SOURCE_DIR}/res/*.ico)
  add_custom_command(
    OUTPUT ${object}
    COMMAND ${CMAKE_RC_COMPILER} -I ${resource_build_dir} -I ${CMAKE_SOURCE_DIR}/res -I ${CMAKE_SOURCE_DIR} -O coff
            -o ${object} ${CMAKE_SOURCE_DIR}/res/${program}.rc
    DEPENDS ${inputs} ${resource_build_dir}/${program}.manifest ${resource_build_dir}/version_record.h
    WORKING_DIRECTORY ${resource_build_dir}
    COMMENT "Compiling the resources of ${program}"
    VERBATIM)
  set(${object_variable} ${object} PARENT_SCOPE)
endfunction()
