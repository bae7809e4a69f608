# The fault words index.cmake writes for tests/web/fault_words/xx.po: each entry whole,
# escapes undone, a fuzzy one left in Russian.
#   cmake -DSOURCE=repo -DMSGATTRIB=msgattrib -DOUT=page.html -P check.cmake
execute_process(COMMAND ${CMAKE_COMMAND} -DIN=${SOURCE}/web/index.html -DOUT=${OUT} -DMODULES=run.js
                        -DPO_DIR=${CMAKE_CURRENT_LIST_DIR} -DLANGUAGES=xx -DMSGATTRIB=${MSGATTRIB}
                        -P ${SOURCE}/web/index.cmake
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "index.cmake failed")
endif()
file(READ ${OUT} page)
foreach(word
    "failed\">The game could not be loaded. Check your \"internet\" connection and try again &amp; again.<"
    "old\">Этот браузер слишком старый для игры.<"
    "retry\">Try again<")
  string(FIND "${page}" "<div lang=\"xx\">\n" set)
  string(SUBSTRING "${page}" ${set} -1 set)
  string(FIND "${set}" "<p data-word=\"${word}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "the page's xx words have no <p data-word=\"${word}")
  endif()
endforeach()
