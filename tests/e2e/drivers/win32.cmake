# The Win32 driver's set-up. Its helper reads a window's texts (a message
# box's among them) and which window has the keyboard, inside the test's
# Wine session.
add_executable(boxtext drivers/boxtext.cpp)
target_link_options(boxtext PRIVATE -municode -mconsole -static)
# Beside the tests, never in the players' folder.
set_target_properties(boxtext PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")

# Parity shows the same states in the Linux window (from build/, made first by
# test.sh) beside the Windows one; what is heard and drawn does not depend on
# the desktop.
list(APPEND scenarios parity)
set(bare_only sound scale parity)
set(env "TARNWICK_WINDOWS_BIN=${TARNWICK_BIN_DIR};TARNWICK_BOXTEXT=$<TARGET_FILE:boxtext>;TARNWICK_BIN=${PROJECT_SOURCE_DIR}/build/bin")
