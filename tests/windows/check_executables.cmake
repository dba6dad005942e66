cmake_minimum_required(VERSION 3.25)
# Each shipped executable is a GUI program (started from the desktop it opens no console) and
# imports nothing but Windows' own DLLs: no compiler runtime, no threading library, no toolkit,
# so one .exe runs on a stock system.
# Run as: cmake -DOBJDUMP=... "-DPROGRAMS=a.exe;b.exe" -P check_executables.cmake
set(system_dlls
  kernel32 user32 gdi32 comctl32 comdlg32 shell32 shlwapi advapi32 uxtheme ole32 oleaut32 oleacc
  imm32 dwmapi version msvcrt ucrtbase)
foreach(program IN LISTS PROGRAMS)
  execute_process(COMMAND ${OBJDUMP} -p ${program} OUTPUT_VARIABLE headers RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${program} failed")
  endif()
  if(NOT headers MATCHES "\nSubsystem[ \t]+00000002")
    message(FATAL_ERROR "${program} is not a GUI program (Windows GUI subsystem)")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
  if(NOT imports)
    message(FATAL_ERROR "${program}: no imports found")
  endif()
  foreach(import IN LISTS imports)
    string(REGEX REPLACE "^DLL Name: (.+)\\.[dD][lL][lL]$" "\\1" dll "${import}")
    string(TOLOWER "${dll}" dll)
    if(NOT dll IN_LIST system_dlls AND NOT dll MATCHES "^api-ms-win-crt-")
      message(FATAL_ERROR "${program} imports ${dll}.dll, which is not one of Windows' own DLLs")
    endif()
  endforeach()
endforeach()
message(STATUS "GUI programs importing only Windows' own DLLs: ${PROGRAMS}")
