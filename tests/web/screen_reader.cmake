# Orca, Debian's screen reader, judges what a blind player hears of the browser edition: the
# passage the desktop's e2e_screen_reader plays, in a Chromium with a window on the end-to-end
# tests' private desktop. Debian's own python3, for pyatspi and selenium.
add_test(NAME web_screen_reader
         COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/tests/e2e/test_screen_reader.py
                 $<TARGET_FILE_DIR:tarvilon_web> ScreenReader.test_browser
         WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
set_tests_properties(web_screen_reader PROPERTIES LABELS web TIMEOUT 300)
# Alone: beside two other browsers, Orca now and then fell behind a keypress on this machine's
# two cores and missed what the page then said.
set_tests_properties(web_screen_reader PROPERTIES RUN_SERIAL TRUE)
