# The differential check of the value layer (fuzz/differential): one driver built for the
# preset's platform, compared with the Linux reference on generated cases.
#
# The generator and the reference driver are tools of the build machine, compiled here with its
# own compiler whatever the preset cross-builds for, so that every build folder holds all it
# needs: build/, build-windows/ and build-web/ do not reach into one another. The reference is
# compiled without optimisation; on Linux the test thus also shows that the optimised build (or
# the sanitized one) gives the same answers and the same floating-point status.
set(differential_dir ${PROJECT_BINARY_DIR}/differential)
set(differential_sources
  ${PROJECT_SOURCE_DIR}/frame/value/number_reading.cpp
  ${PROJECT_SOURCE_DIR}/frame/value/number_writing.cpp
  ${PROJECT_SOURCE_DIR}/frame/value/variant.cpp
  ${PROJECT_SOURCE_DIR}/frame/value/power.cpp
  ${PROJECT_SOURCE_DIR}/frame/value/runtime_error.cpp
  ${PROJECT_SOURCE_DIR}/frame/value/float_status.cpp
  ${PROJECT_SOURCE_DIR}/frame/value/utf16.cpp
  ${PROJECT_SOURCE_DIR}/third_party/optimized_routines_pow/pow.cpp
  ${PROJECT_SOURCE_DIR}/third_party/optimized_routines_pow/pow_data.cpp
  ${PROJECT_SOURCE_DIR}/third_party/optimized_routines_pow/exp_data.cpp
)
set(differential_headers
  ${PROJECT_SOURCE_DIR}/frame/value/value.h
  ${PROJECT_SOURCE_DIR}/frame/value/runtime_error.h
  ${PROJECT_SOURCE_DIR}/frame/value/float_status.h
  ${PROJECT_SOURCE_DIR}/frame/value/utf16.h
  ${PROJECT_SOURCE_DIR}/third_party/optimized_routines_pow/pow.h
  ${PROJECT_SOURCE_DIR}/third_party/optimized_routines_pow/pow_data.h
  ${PROJECT_SOURCE_DIR}/third_party/optimized_routines_pow/exp_data.h
  ${PROJECT_SOURCE_DIR}/fuzz/differential_format.h
)

add_executable(differential_driver ${PROJECT_SOURCE_DIR}/fuzz/differential_driver.cpp)
target_link_libraries(differential_driver PRIVATE forms_value)
target_include_directories(differential_driver PRIVATE ${PROJECT_SOURCE_DIR}/fuzz)
# Plain C++: no toolkit code generation.
set_target_properties(differential_driver PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${differential_dir}
                      AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
set(differential_command $<TARGET_FILE:differential_driver>)
if(EMSCRIPTEN)
  # The driver's own arithmetic (the programs' sums, products and comparisons) keeps the
  # software status as a program's code does. It runs under node, so its WebAssembly is inside
  # the .js, and standard input and output are node's own files (the loader's terminal emulation
  # reads nothing from a pipe under a current node, and would decode the bytes as UTF-8).
  forms_observe_float_arithmetic(differential_driver)
  target_link_options(differential_driver PRIVATE -sSINGLE_FILE=1 -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=node
                      -sNODERAWFS=1)
endif()
if(CMAKE_CROSSCOMPILING)
  set(differential_command ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:differential_driver>)
endif()

find_program(FORMS_HOST_CXX NAMES g++ c++ PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(host_flags -std=c++20 -ffp-contract=off -Wall -Wextra -Wpedantic -Wshadow -Wconversion
               -Wno-sign-conversion -Werror -I${PROJECT_SOURCE_DIR}/fuzz)
add_custom_command(OUTPUT ${differential_dir}/differential_cases
  COMMAND ${FORMS_HOST_CXX} ${host_flags} -O2 ${PROJECT_SOURCE_DIR}/fuzz/differential_cases.cpp
          -o ${differential_dir}/differential_cases
  DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/differential_cases.cpp ${PROJECT_SOURCE_DIR}/fuzz/differential_format.h
  COMMENT "Building the differential cases generator for the build machine" VERBATIM)
add_custom_command(OUTPUT ${differential_dir}/differential_reference
  COMMAND ${FORMS_HOST_CXX} ${host_flags} -O0 -I${PROJECT_SOURCE_DIR}/frame/value -I${PROJECT_SOURCE_DIR}/third_party ${differential_sources}
          ${PROJECT_SOURCE_DIR}/fuzz/differential_driver.cpp -o ${differential_dir}/differential_reference
  DEPENDS ${differential_sources} ${differential_headers} ${PROJECT_SOURCE_DIR}/fuzz/differential_driver.cpp
  COMMENT "Building the Linux reference of the differential driver" VERBATIM)
add_custom_target(differential_tools ALL
  DEPENDS ${differential_dir}/differential_cases ${differential_dir}/differential_reference)
add_dependencies(differential_driver differential_tools)

# 100,000 cases through one process of the driver (wine and node start once).
add_test(NAME Value.DifferentialCheckAgainstLinux
  COMMAND ${PROJECT_SOURCE_DIR}/fuzz/differential --compare 100000 1
          ${differential_dir}/differential_cases ${differential_dir}/differential_reference -- ${differential_command})
