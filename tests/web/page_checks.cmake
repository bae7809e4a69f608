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
