# Checks of the page that need no browser; included by web/CMakeLists.txt.

# Every page script, and the service worker with a worker's globals, through TypeScript's
# checker in JavaScript mode (strict): a name that hides another, a call of what is not a
# function, a property no type has, all before anything runs.
find_program(TSC tsc) # Debian's node-typescript, which ./run.sh test installs
foreach(scripts page worker)
  set(config ${PROJECT_SOURCE_DIR}/web/tsconfig.json)
  if(scripts STREQUAL worker)
    set(config ${PROJECT_SOURCE_DIR}/web/tsconfig.sw.json)
  endif()
  add_test(NAME web_typecheck_${scripts} COMMAND ${TSC} --pretty false -p ${config})
  set_tests_properties(web_typecheck_${scripts} PROPERTIES LABELS web)
endforeach()

# The page's fault words from a catalog whose entries gettext has wrapped (as msgmerge writes
# long ones), with a fuzzy one and an escaped quote: what index.cmake writes into the page.
add_test(NAME web_fault_words
         COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR} -DMSGATTRIB=${MSGATTRIB}
                 -DOUT=${CMAKE_CURRENT_BINARY_DIR}/fault_words.html
                 -P ${PROJECT_SOURCE_DIR}/tests/web/fault_words/check.cmake)
set_tests_properties(web_fault_words PROPERTIES LABELS web)
