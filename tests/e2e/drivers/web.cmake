# The browser driver's set-up: the pages of this build's site, served and
# played in headless Chromium, which needs no X server and so no window
# manager either.
set(window_managers "")
# Storage: what the player keeps lives in the browser's, across reloads and
# restarts. Parity: the same states in the Linux window (from build/, made
# first by test.sh) beside the page.
list(APPEND scenarios storage parity)
# The page's own scale is the browser's (parity's and storage's pages are drawn at it).
list(REMOVE_ITEM scenarios scale)
set(env "TARNWICK_SITE=${CMAKE_BINARY_DIR}/site;TARNWICK_BIN=${PROJECT_SOURCE_DIR}/build/bin")
