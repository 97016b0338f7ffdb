# A Windows program's resources: the pictures, and for a program its icon
# (assets/pictures/ICON.ico), its manifest and its own script of menus and
# dialogs. Resources never link from a library, so each .exe gets its own.
function(tarnwick_win32_resources target)
  cmake_parse_arguments(R "" "ICON;SCRIPT" "" ${ARGN})
  set(rc "#include \"${TARNWICK_PICTURES_RC}\"\n")
  file(GLOB read CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/assets/pictures/*")
  if(R_ICON)
    string(APPEND rc "1 ICON \"${PROJECT_SOURCE_DIR}/assets/pictures/${R_ICON}.ico\"\n")
    string(APPEND rc "1 24 \"${TARNWICK_MANIFEST}\"\n")
    list(APPEND read "${TARNWICK_MANIFEST}")
  endif()
  if(R_SCRIPT)
    string(APPEND rc "#include \"${CMAKE_CURRENT_SOURCE_DIR}/${R_SCRIPT}\"\n")
    list(APPEND read "${CMAKE_CURRENT_SOURCE_DIR}/${R_SCRIPT}")
  endif()
  set(script "${CMAKE_CURRENT_BINARY_DIR}/${target}.rc")
  file(CONFIGURE OUTPUT "${script}" CONTENT "${rc}")
  target_sources(${target} PRIVATE "${script}")
  # The compiler reads the files named inside: rebuild when one changes.
  set_source_files_properties("${script}" PROPERTIES OBJECT_DEPENDS "${read}")
endfunction()
