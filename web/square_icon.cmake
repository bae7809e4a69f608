# The skull picture (33 x 31) centred on a square canvas, for the app icons:
#   cmake -DIN=skull.svg -DOUT=square.svg -P square_icon.cmake
file(READ ${IN} svg)
set(size "width=\"33\" height=\"31\" viewBox=\"0 0 33 31\"")
string(FIND "${svg}" "${size}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "square_icon.cmake: ${IN} is no longer 33 x 31; update this script")
endif()
string(REPLACE "${size}" "width=\"35\" height=\"35\" viewBox=\"-1 -2 35 35\"" svg "${svg}")
file(WRITE ${OUT} "${svg}")
