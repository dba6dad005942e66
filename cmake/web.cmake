# The browser build's shared pieces, included by the top-level CMakeLists.txt with the
# emscripten toolchain (cmake/emscripten.cmake).

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
target_compile_definitions(forms_web_number_text INTERFACE FMT_HEADER_ONLY)

# forms_observe_float_arithmetic(target): the target's own floating-point operations keep the
# status word as hardware flags would (see cmake/float-arithmetic). For every program's code
# and for the tests of the status; the value layer keeps its status itself.
function(forms_observe_float_arithmetic target)
  set_property(TARGET ${target} PROPERTY CXX_COMPILER_LAUNCHER ${PROJECT_SOURCE_DIR}/cmake/float-arithmetic)
endfunction()
