# Writes the page: a modulepreload link for each of its scripts, so that a first visit asks for
# them all at once rather than one import at a time, and its fault words in every language (the
# Russian set of index.html again for each catalog, each word its translation in
# po/<language>.po). The words are in the page because the module, which carries the catalogs
# for everything else, may be what failed to load.
#   cmake -DIN=index.html -DOUT=site/index.html "-DMODULES=run.js;.." -DPO_DIR=po
#         "-DLANGUAGES=en;.." -DMSGATTRIB=msgattrib -P index.cmake
file(READ ${IN} page)

set(preload "<link rel=\"modulepreload\" href=\"@MODULE@\">\n")
string(FIND "${page}" "${preload}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${IN} has no line ${preload}")
endif()
set(links "")
foreach(module ${MODULES})
  string(REPLACE "@MODULE@" "${module}" link "${preload}")
  string(APPEND links "${link}")
endforeach()
string(REPLACE "${preload}" "${links}" page "${page}")

string(REGEX MATCH "<div lang=\"ru\">\n(<p data-word=\"[a-z]+\">[^<]*</p>\n)+</div>\n" russian "${page}")
if(NOT russian)
  message(FATAL_ERROR "${IN} has no Russian set of words (<div lang=\"ru\">)")
endif()
string(REGEX MATCHALL "<p data-word=\"[a-z]+\">[^<]*</p>" words "${russian}")
set(sets "${russian}")
foreach(lang ${LANGUAGES})
  # The catalog as gettext itself reads it: a fuzzy entry untranslated, no obsolete one, each
  # string on one line however the file wraps it.
  execute_process(COMMAND ${MSGATTRIB} --clear-fuzzy --empty --no-obsolete --no-wrap ${PO_DIR}/${lang}.po
                  OUTPUT_VARIABLE po RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${MSGATTRIB} could not read ${PO_DIR}/${lang}.po")
  endif()
  string(REPLACE "<div lang=\"ru\">" "<div lang=\"${lang}\">" set "${russian}")
  foreach(word ${words})
    string(REGEX REPLACE "<p data-word=\"[a-z]+\">([^<]*)</p>" "\\1" text "${word}")
    set(entry "\nmsgid \"${text}\"\nmsgstr ")
    string(FIND "${po}" "${entry}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "po/${lang}.po does not translate \"${text}\"")
    endif()
    string(LENGTH "${entry}" skip)
    math(EXPR at "${at} + ${skip}")
    string(SUBSTRING "${po}" ${at} -1 rest)
    # The msgstr's quoted lines, up to the blank line that ends the entry, joined.
    string(FIND "${rest}" "\n\n" end)
    string(SUBSTRING "${rest}" 0 ${end} quoted)
    string(REGEX REPLACE "\"\n\"" "" quoted "${quoted}")
    string(REGEX REPLACE "^\"(.*)\"\n?$" "\\1" shown "${quoted}")
    string(REPLACE "\\\\" "@BACKSLASH@" shown "${shown}")
    string(REPLACE "\\\"" "\"" shown "${shown}")
    string(REPLACE "\\n" "\n" shown "${shown}")
    string(REPLACE "\\t" "\t" shown "${shown}")
    string(REPLACE "@BACKSLASH@" "\\" shown "${shown}")
    if(shown STREQUAL "")
      continue() # untranslated: the Russian word, as the catalog gives it
    endif()
    string(REPLACE "&" "&amp;" shown "${shown}")
    string(REPLACE "<" "&lt;" shown "${shown}")
    string(REPLACE ">${text}<" ">${shown}<" set "${set}")
  endforeach()
  string(APPEND sets "${set}")
endforeach()
string(REPLACE "${russian}" "${sets}" page "${page}")
file(WRITE ${OUT} "${page}")
