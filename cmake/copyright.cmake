# The copyright holder as LICENSE names it, for the programs' version records and the installer:
# copyright_line is LICENSE's line "Copyright (c) YEAR HOLDER", copyright_company the holder with a
# capital first letter.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../LICENSE copyright_line REGEX "^Copyright \\(c\\) [0-9]" LIMIT_COUNT 1)
if(NOT copyright_line)
  message(FATAL_ERROR "LICENSE has no line \"Copyright (c) YEAR HOLDER\" for the version records")
endif()
string(REGEX REPLACE "^Copyright \\(c\\) [0-9, -]+ " "" copyright_company "${copyright_line}")
string(SUBSTRING "${copyright_company}" 0 1 initial)
string(SUBSTRING "${copyright_company}" 1 -1 rest)
string(TOUPPER "${initial}" initial)
set(copyright_company "${initial}${rest}")
