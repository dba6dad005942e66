# The browser build's shared pieces, included by the top-level CMakeLists.txt with the
# emscripten toolchain (cmake/emscripten.cmake).

# Debian's own Python, which has fonttools and brotli (WOFF2), for the build's tools.
find_program(FORMS_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)

# Every link stops where frame/web/asyncify-remove.json names a function that no longer exists
# (after the toolchain's own launcher, cmake/emscripten.cmake).
list(APPEND CMAKE_CXX_LINKER_LAUNCHER ${FORMS_SYSTEM_PYTHON} ${PROJECT_SOURCE_DIR}/tools/web/asyncify_checked_link.py)

# fast_float (reading) and fmt (shortest round-trip formatting), both header-only from Debian's
# packages. Their folders are linked into the build tree on their own, since the rest of
# /usr/include is the build machine's C library and must stay out of a WebAssembly build.
set(forms_web_include ${PROJECT_BINARY_DIR}/web-include)
file(MAKE_DIRECTORY ${forms_web_include})
foreach(library fast_float fmt)
  if(NOT EXISTS /usr/include/${library})
    message(FATAL_ERROR "/usr/include/${library} is missing: apt-get install libfast-float-dev libfmt-dev")
  endif()
  file(CREATE_LINK /usr/include/${library} ${forms_web_include}/${library} SYMBOLIC)
endforeach()
add_library(forms_web_number_text INTERFACE)
target_include_directories(forms_web_number_text SYSTEM INTERFACE ${forms_web_include})
# No locale: the C++ library's locale machinery would triple the size of every page, and the
# value layer formats with "." always.
target_compile_definitions(forms_web_number_text INTERFACE FMT_HEADER_ONLY FMT_STATIC_THOUSANDS_SEPARATOR=0)

# forms_observe_float_arithmetic(target): the target's own floating-point operations keep the
# status word as hardware flags would (see cmake/float-arithmetic). For every program's code
# and for the tests of the status; the value layer keeps its status itself.
function(forms_observe_float_arithmetic target)
  set_property(TARGET ${target} PROPERTY CXX_COMPILER_LAUNCHER ${PROJECT_SOURCE_DIR}/cmake/float-arithmetic)
endfunction()

# The pages' tooling (tools/web/): the font (a renamed subset, as CSS) and its licence, made
# there, and the shell template.
set(FORMS_WEB_TOOLS ${PROJECT_SOURCE_DIR}/tools/web)
set(FORMS_WEB_DIR ${PROJECT_BINARY_DIR}/tools/web)
set(FORMS_WEB_FONT_CSS ${FORMS_WEB_DIR}/font.css)
set(FORMS_WEB_FONT_LICENCE ${FORMS_WEB_DIR}/OFL.txt)
set(FORMS_WEB_SHELL ${FORMS_WEB_TOOLS}/shell.html)

# forms_web_page(target TITLE title | TITLE_FILE file [HEAD file] [BODY file]): links the executable `target` as one
# self-contained page, TARGET.html: our shell with the font inside, the title, the head and
# body fragments, and the program with its WebAssembly inlined (a page beside a separate .wasm
# file does not load from disk). Asyncify lets a C++ call wait for a click on a page's dialog.
function(forms_web_page target)
  cmake_parse_arguments(ARG "" "TITLE;TITLE_FILE;HEAD;BODY" "" ${ARGN})
  set(shell ${FORMS_WEB_DIR}/${target}-shell.html)
  set(fragments)
  set(fragment_files)
  if(ARG_TITLE_FILE)
    list(APPEND fragments --title-file ${ARG_TITLE_FILE})
    list(APPEND fragment_files ${ARG_TITLE_FILE})
  endif()
  if(ARG_HEAD)
    list(APPEND fragments --head ${ARG_HEAD})
    list(APPEND fragment_files ${ARG_HEAD})
  endif()
  if(ARG_BODY)
    list(APPEND fragments --body ${ARG_BODY})
    list(APPEND fragment_files ${ARG_BODY})
  endif()
  add_custom_command(OUTPUT ${shell}
    COMMAND ${FORMS_WEB_TOOLS}/page.py ${FORMS_WEB_SHELL} ${FORMS_WEB_FONT_CSS} ${shell}
            "${ARG_TITLE}" ${fragments}
    DEPENDS ${FORMS_WEB_TOOLS}/page.py ${FORMS_WEB_SHELL} ${FORMS_WEB_FONT_CSS} ${fragment_files}
    COMMENT "Filling the page shell of ${target}" VERBATIM)
  add_custom_target(${target}_shell DEPENDS ${shell})
  add_dependencies(${target}_shell forms_web_font)
  add_dependencies(${target} ${target}_shell)
  set_target_properties(${target} PROPERTIES SUFFIX .html LINK_DEPENDS
                        "${shell};${FORMS_WEB_TOOLS}/wasm_first.py;${FORMS_WEB_TOOLS}/ascii_page.py")
  # Debian's emscripten has no HTML minifier; the shell is small as it is. A page is small
  # rather than fast to link or to allocate: the smaller allocator and size-optimised
  # WebAssembly keep each page within 250 kB (100 kB compressed). A page runs only in a browser
  # and reads no files, so the loader leaves out node's code and the file system, which the
  # browser would otherwise parse at every start; it reads only the three hooks page/loader.js
  # sets, and decodes text with the browser's TextDecoder alone (every engine has it), which
  # leaves out the loader's code for every other hook and its own UTF-8 decoder (1.9 kB).
  target_link_options(${target} PRIVATE --shell-file ${shell} -sSINGLE_FILE=1 -sMINIFY_HTML=0
                      -sASYNCIFY=1 -sMALLOC=emmalloc -Oz -sENVIRONMENT=web -sFILESYSTEM=0
                      -sINCOMING_MODULE_JS_API=[preRun,instantiateWasm,onAbort] -sTEXTDECODER=2)
  # The steps after linking: the WebAssembly compiles while the loader is still being read
  # (tools/web/wasm_first.py), and the page is ASCII only, which the browser parses fastest
  # (tools/web/ascii_page.py).
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${FORMS_SYSTEM_PYTHON} ${FORMS_WEB_TOOLS}/wasm_first.py $<TARGET_FILE:${target}>
    COMMAND ${FORMS_SYSTEM_PYTHON} ${FORMS_WEB_TOOLS}/ascii_page.py $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()
