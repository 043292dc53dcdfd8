# Refuses includes that would step around a layer's include folder: a path
# that climbs up anywhere ("../", "rules/anim/../../app/..."), and, in a
# layer that does not link Qt Widgets, a widget header named through a
# folder above Qt's (<QtWidgets/...>, <qt6/QtWidgets/...>). Run by the build for each layer:
#   cmake -DSOURCES_FILE=<list of sources> -DWIDGETS=ON|OFF -DSTAMP=<file> -P CheckIncludes.cmake
file(READ ${SOURCES_FILE} sources)
set(refused)
foreach(source ${sources})
  file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${lines})
    if(line MATCHES "[\"</]\\.\\./" OR (NOT WIDGETS AND line MATCHES "QtWidgets/"))
      list(APPEND refused "${source}: ${line}")
    endif()
  endforeach()
endforeach()
if(refused)
  list(JOIN refused "\n  " text)
  message(FATAL_ERROR "includes that step around the layers:\n  ${text}")
endif()
file(TOUCH ${STAMP})
