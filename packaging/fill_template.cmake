# Fills a template's @VARIABLES@ with one program's package texts, at build time, when the texts
# have been written from the program's project descriptor (tools/desktop/package_texts):
#   cmake -DTEXTS=NAME.texts.cmake -DTEMPLATE=FILE.in -DOUTPUT=FILE [-DXML=ON] [-DVARIABLE=VALUE...]
#         -P fill_template.cmake
# With XML=ON the texts are escaped for XML. PROGRAM_COMMENT, the desktop entry's comment, is
# the Russian summary: the windows speak Russian.
include(${TEXTS})
set(PROGRAM_COMMENT "${SUMMARY_RU}")
if(XML)
  foreach(variable SUMMARY SUMMARY_RU DESCRIPTION DESCRIPTION_RU)
    string(REPLACE "&" "&amp;" text "${${variable}}")
    string(REPLACE "<" "&lt;" text "${text}")
    string(REPLACE ">" "&gt;" text "${text}")
    set(${variable} "${text}")
  endforeach()
endif()
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
