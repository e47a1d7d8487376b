# The release being built. Its version is the project's; its date and its maintainer are those
# of the newest entry of packaging/changelog, which must name the same version. The Version
# window's notice, the desktop files and the Debian package all take them from here.
set(KALPENO_APP_ID org.kalpeno.Kalpeno)
set(KALPENO_HOMEPAGE "https://kalpeno.example.org/" CACHE STRING
    "The program's home page, named in its AppStream metadata and its package")

set(_changelog ${PROJECT_SOURCE_DIR}/packaging/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_changelog})
file(STRINGS ${_changelog} _head LIMIT_COUNT 1 ENCODING UTF-8)
if(NOT _head MATCHES "^kalpeno \\(([^)]+)\\)" OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "packaging/changelog: its newest entry must be for version "
                        "${PROJECT_VERSION}, not '${_head}'")
endif()
file(STRINGS ${_changelog} _trailer REGEX "^ -- " LIMIT_COUNT 1 ENCODING UTF-8)
if(NOT _trailer MATCHES "^ -- (.+ <[^>]+>)  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "packaging/changelog: no maintainer and date in '${_trailer}'")
endif()
set(KALPENO_MAINTAINER "${CMAKE_MATCH_1}")
set(KALPENO_RELEASE_YEAR ${CMAKE_MATCH_4})
set(_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND _months ${CMAKE_MATCH_3} _month)
if(_month LESS 0)
    message(FATAL_ERROR "packaging/changelog: no month '${CMAKE_MATCH_3}' in '${_trailer}'")
endif()
math(EXPR _month "${_month} + 1" OUTPUT_FORMAT DECIMAL)
if(_month LESS 10)
    set(_month 0${_month})
endif()
set(KALPENO_RELEASE_DATE ${KALPENO_RELEASE_YEAR}-${_month}-${CMAKE_MATCH_2})
# The publisher of the Windows program and its installer: the maintainer without the address.
string(REGEX REPLACE " *<.*>$" "" KALPENO_PUBLISHER "${KALPENO_MAINTAINER}")
