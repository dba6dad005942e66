cmake_minimum_required(VERSION 3.25)
# Each shipped executable starts on Windows 7 SP1, 32- or 64-bit:
# - its header names Windows 6.1 or earlier as the system and subsystem it needs;
# - it imports only DLLs that Windows 7 SP1 has without updates: the C runtime is msvcrt, never
#   the universal one (ucrtbase, api-ms-win-* forwarders), and no shcore;
# - it imports none of the later functions the frame reaches only through GetProcAddress
#   (LATER_FUNCTIONS, one a line);
# - every function it imports from the system's DLLs besides the C runtime is declared by the
#   system headers for Windows 7 (_WIN32_WINNT 0x0601), which hide every later one: a program,
#   or a library linked into it, that calls a later function fails here.
# Run as: cmake -DOBJDUMP=... -DCOMPILER=... -DLATER_FUNCTIONS=later_functions.txt -DWORK_DIR=...
#               "-DPROGRAMS=a.exe;b.exe" -P check_windows7_imports.cmake
foreach(variable OBJDUMP COMPILER LATER_FUNCTIONS WORK_DIR PROGRAMS)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "check_windows7_imports.cmake: ${variable} is not set")
  endif()
endforeach()

set(windows7_dlls kernel32 user32 gdi32 comctl32 comdlg32 shell32 shlwapi advapi32 uxtheme ole32 oleaut32
                  oleacc imm32 dwmapi version msvcrt)
file(STRINGS ${LATER_FUNCTIONS} later_functions REGEX "^[A-Za-z]")
if(NOT later_functions)
  message(FATAL_ERROR "${LATER_FUNCTIONS} names no function")
endif()

set(faults "")
set(system_functions "")
foreach(program IN LISTS PROGRAMS)
  get_filename_component(name ${program} NAME)
  execute_process(COMMAND ${OBJDUMP} -p ${program} OUTPUT_VARIABLE headers RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${program} failed")
  endif()
  foreach(field OSystem Subsystem)
    if(NOT headers MATCHES "\nMajor${field}Version[ \t]+([0-9]+)\n" )
      message(FATAL_ERROR "${name}: no Major${field}Version in its header")
    endif()
    set(major ${CMAKE_MATCH_1})
    string(REGEX MATCH "\nMinor${field}Version[ \t]+([0-9]+)\n" ignored "${headers}")
    set(version "${major}.${CMAKE_MATCH_1}")
    if(version VERSION_GREATER 6.1)
      string(APPEND faults "${name}: its header asks for ${field} version ${version}, later than Windows 7 (6.1)\n")
    endif()
  endforeach()

  # The import tables: "DLL Name: X.dll", then one line for each function (address, hint, name).
  string(REPLACE ";" "," headers "${headers}")
  string(REPLACE "\n" ";" lines "${headers}")
  set(dll "")
  set(import_count 0)
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*DLL Name: (.+)$")
      string(TOLOWER "${CMAKE_MATCH_1}" dll)
      string(REGEX REPLACE "\\.dll$" "" dll "${dll}")
      if(NOT dll IN_LIST windows7_dlls)
        string(APPEND faults "${name}: imports ${dll}.dll, which Windows 7 SP1 does not have\n")
      endif()
    elseif(dll AND line MATCHES "^[ \t]+[0-9a-fA-F]+[ \t]+[0-9]+[ \t]+([A-Za-z_][A-Za-z0-9_@]*)[ \t]*$")
      set(function ${CMAKE_MATCH_1})
      math(EXPR import_count "${import_count} + 1")
      if(function IN_LIST later_functions)
        string(APPEND faults "${name}: imports ${function} from ${dll}.dll, which Windows 7 lacks: "
                             "the frame reaches it only through GetProcAddress\n")
      endif()
      if(NOT dll STREQUAL "msvcrt")
        list(APPEND system_functions "${function}")
        set(importer_of_${function} "${name} (${dll}.dll)")
      endif()
    elseif(line MATCHES "^[^ \t]")
      set(dll "")
    endif()
  endforeach()
  if(import_count EQUAL 0)
    message(FATAL_ERROR "${name}: no imported functions found")
  endif()
endforeach()

# Every system function imported, as the headers for Windows 7 declare it: an undeclared one
# makes the compiler name it.
list(REMOVE_DUPLICATES system_functions)
set(probe "#include <windows.h>\n#include <commctrl.h>\n#include <uxtheme.h>\n#include <shellapi.h>\n")
set(index 0)
foreach(function IN LISTS system_functions)
  string(APPEND probe "void *imported_${index} = (void *)&${function};\n")
  math(EXPR index "${index} + 1")
endforeach()
file(MAKE_DIRECTORY ${WORK_DIR})
file(WRITE ${WORK_DIR}/windows7_imports.c "${probe}")
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C
                        ${COMPILER} -x c -fsyntax-only -fmax-errors=0 -fno-diagnostics-show-caret
                        -D_WIN32_WINNT=0x0601 -DWINVER=0x0601 -DWIN32_LEAN_AND_MEAN ${WORK_DIR}/windows7_imports.c
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  string(REGEX MATCHALL "'[A-Za-z_][A-Za-z0-9_]*' undeclared" undeclared "${output}")
  if(NOT undeclared)
    message(FATAL_ERROR "the headers for Windows 7 could not be read:\n${output}")
  endif()
  list(REMOVE_DUPLICATES undeclared)
  foreach(entry IN LISTS undeclared)
    string(REGEX REPLACE "^'(.+)' undeclared$" "\\1" function "${entry}")
    string(APPEND faults "${importer_of_${function}}: imports ${function}, which the headers for Windows 7 "
                         "do not declare (a later function)\n")
  endforeach()
endif()

if(faults)
  message(FATAL_ERROR "Not every executable starts on Windows 7 SP1:\n${faults}")
endif()
list(LENGTH system_functions count)
message(STATUS "Start on Windows 7 SP1 (${count} system functions checked): ${PROGRAMS}")
