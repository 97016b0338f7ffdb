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

# A test of a real window: its own display, in the tests' Wine prefix,
# alone, since Wine's desktop belongs to the first program of a prefix's
# session; it starts once the programs before it have ended.
function(tarnwick_add_window_test name)
  cmake_parse_arguments(T "" "ICON;SCRIPT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${TARNWICK_TEST_DIR}")
  if(T_ICON)
    set(resources ICON ${T_ICON})
    if(T_SCRIPT)
      list(APPEND resources SCRIPT ${T_SCRIPT})
    endif()
    tarnwick_win32_resources(${name} ${resources})
  endif()
  add_test(NAME windows_${name}
           COMMAND "${PROJECT_SOURCE_DIR}/tools/with-display.sh" /bin/sh -c "wineserver -w && exec \"$0\" \"$@\""
                   "${PROJECT_SOURCE_DIR}/tools/wine-run.sh" "$<TARGET_FILE:${name}>" --gtest_brief=1)
  set_tests_properties(windows_${name} PROPERTIES FIXTURES_REQUIRED wine_prefix RUN_SERIAL TRUE
    ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wine;TARNWICK_SCREEN=1600x1200" TIMEOUT 120)
endfunction()
