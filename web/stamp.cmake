# Writes the service worker: the files it keeps for offline play with the SHA-256 of each, which
# it checks them against, and a cache name made from them all, so that a new build replaces
# what browsers keep. The worker is given each digest's first 64 bits: enough to tell one
# build's file from another's, and every first visit carries the list.
#   cmake -DSITE=site -DIN=sw.js -DOUT=site/sw.js [-DWRITTEN=a.js;b.css..] -P stamp.cmake
# WRITTEN, paths under SITE, are what the build wrote there: a file that an older build left in
# the folder is then not kept, nor fetched by every first visit. Without it, the whole folder.
if(DEFINED WRITTEN)
  set(files ${WRITTEN})
else()
  file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
endif()
list(SORT files)
set(kept)
set(catalogs)
set(digests "")
foreach(file ${files})
  # Only what the game needs to start and play: not the worker itself, the package's
  # screenshot, the launcher icons (the tab's is kept) or the font licence. The catalogs
  # apart: a player needs one at most, and the worker keeps the one the page fetches.
  if(file STREQUAL "sw.js" OR file MATCHES "^screenshots/" OR file MATCHES "^icons/skull-...\\.png$"
     OR file MATCHES "LICENSE$")
    continue()
  endif()
  file(SHA256 ${SITE}/${file} digest)
  string(APPEND digests "${file} ${digest}\n")
  string(SUBSTRING ${digest} 0 16 digest)
  if(file MATCHES "^po/")
    list(APPEND catalogs "\"./${file}\": \"${digest}\"")
    continue()
  endif()
  list(APPEND kept "\"./${file}\": \"${digest}\"")
  if(file STREQUAL "index.html")
    list(APPEND kept "\"./\": \"${digest}\"")
  endif()
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING ${version} 0 16 version)
list(JOIN kept ",\n  " list)
list(JOIN catalogs ",\n  " catalog_list)
file(READ ${IN} worker)
string(REPLACE "@VERSION@" "${version}" worker "${worker}")
string(REPLACE "\"@FILES@\": \"\"" "\n  ${list},\n" worker "${worker}")
string(REPLACE "\"@CATALOGS@\": \"\"" "\n  ${catalog_list},\n" worker "${worker}")
file(WRITE ${OUT} "${worker}")
