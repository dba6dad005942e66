cmake_minimum_required(VERSION 3.25)
# Builds the installer with wixl from forms-programs.wxs and the generated programs.wxi, into
# OUTPUT_DIR/forms-programs-VERSION-ARCH.msi (ARCH x64 or x86), and checks that msiinfo reads it back. wixl looks
# files up by name beside the source, so everything is gathered in a staging folder first.
#   cmake -DWIXL=... -DMSIINFO=... -DMSIBUILD=... -DSOURCE=forms-programs.wxs -DINCLUDE=programs.wxi
#         -DICON=window.ico "-DPROGRAMS=a.exe|b.exe" -DARCH=x64 -DOUTPUT_DIR=... [-DVERSION=1.01]
#         -P build_msi.cmake
# VERSION replaces the version from the version records: the upgrade test builds a later one.
foreach(variable WIXL MSIINFO MSIBUILD SOURCE INCLUDE ICON PROGRAMS ARCH OUTPUT_DIR)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "build_msi.cmake: ${variable} is not set")
  endif()
endforeach()

string(REPLACE "|" ";" PROGRAMS "${PROGRAMS}")
set(staging ${OUTPUT_DIR}/msi-staging)
file(REMOVE_RECURSE ${staging})
file(MAKE_DIRECTORY ${staging})
file(COPY ${SOURCE} ${ICON} ${PROGRAMS} DESTINATION ${staging})
file(READ ${INCLUDE} include_text)
if(NOT include_text MATCHES "<\\?define ProductVersion = \"([0-9.]+)\"\\?>")
  message(FATAL_ERROR "${INCLUDE} names no product version")
endif()
set(record_version ${CMAKE_MATCH_1})
if(NOT DEFINED VERSION)
  set(VERSION ${record_version})
endif()
string(REPLACE "<?define ProductVersion = \"${record_version}\"?>" "<?define ProductVersion = \"${VERSION}\"?>"
       include_text "${include_text}")
file(WRITE ${staging}/programs.wxi "${include_text}")

# Apps & features shows the size the programs take, in KiB.
set(size 0)
foreach(program IN LISTS PROGRAMS)
  file(SIZE ${program} program_size)
  math(EXPR size "${size} + ${program_size}")
endforeach()
math(EXPR size_kb "(${size} + 1023) / 1024")

get_filename_component(source_name ${SOURCE} NAME)
set(msi ${OUTPUT_DIR}/forms-programs-${VERSION}-${ARCH}.msi)
file(GLOB earlier ${OUTPUT_DIR}/forms-programs-*-${ARCH}.msi)
if(earlier)
  file(REMOVE ${earlier})
endif()
# wixl reports some faults on standard error and still exits 0: any output is a failure.
execute_process(COMMAND ${WIXL} --arch ${ARCH} -D Arch=${ARCH} -D InstalledSizeKB=${size_kb} -o ${msi} ${source_name}
                WORKING_DIRECTORY ${staging} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0 OR NOT output STREQUAL "")
  file(REMOVE ${msi})
  message(FATAL_ERROR "wixl failed (status ${status}):\n${output}")
endif()

# What wixl cannot write is amended in the tables, through msiinfo export and msibuild -i:
# - the flag that makes an upgrade's version bound inclusive (512), without which another build
#   of the same version would install beside this one instead of replacing it;
# - the condition of the component that remembers a per-machine installation's folder: installed
#   with ALLUSERS=1, and still true at the removal, which finds MACHINEFOLDER (the installer may
#   evaluate the condition again then, and would leave the component's registry value behind).
function(msi_table name out)
  execute_process(COMMAND ${MSIINFO} export ${msi} ${name} RESULT_VARIABLE status OUTPUT_VARIABLE table
                  ERROR_VARIABLE errors)
  if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "msiinfo cannot read the ${name} table of ${msi}:\n${errors}")
  endif()
  set(${out} "${table}" PARENT_SCOPE)
endfunction()
function(amend_table name pattern replacement)
  msi_table(${name} table)
  string(REGEX REPLACE "${pattern}" "${replacement}" amended "${table}")
  if(amended STREQUAL table)
    message(FATAL_ERROR "the ${name} table of ${msi} has no row matching ${pattern}:\n${table}")
  endif()
  file(WRITE ${staging}/${name}.idt "${amended}")
  execute_process(COMMAND ${MSIBUILD} ${msi} -i ${staging}/${name}.idt RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "msibuild cannot update the ${name} table:\n${errors}")
  endif()
endfunction()
amend_table(Upgrade "\t256\t\tEARLIERVERSIONFOUND" "\t768\t\tEARLIERVERSIONFOUND")
amend_table(Component "\nMachineFolder\t([^\t]*)\t([^\t]*)\t([^\t]*)\t\t"
            "\nMachineFolder\t\\1\t\\2\t\\3\tALLUSERS=1 OR MACHINEFOLDER\t")

# The package reads back: every table, one file and one shortcut for each program.
execute_process(COMMAND ${MSIINFO} tables ${msi} RESULT_VARIABLE status OUTPUT_VARIABLE tables ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
  message(FATAL_ERROR "msiinfo cannot list the tables of ${msi}:\n${errors}")
endif()
string(REPLACE "\n" ";" tables "${tables}")
foreach(table IN LISTS tables)
  if(table AND NOT table MATCHES "^_")
    msi_table(${table} ignored)
  endif()
endforeach()
list(LENGTH PROGRAMS program_count)
msi_table(File files)
msi_table(Shortcut shortcuts)
string(REGEX MATCHALL "\n[a-z0-9_]+\\.exe\t" file_rows "${files}")
string(REGEX MATCHALL "\n[a-z0-9_]+\\.lnk\t" shortcut_rows "${shortcuts}")
list(LENGTH file_rows file_count)
list(LENGTH shortcut_rows shortcut_count)
if(NOT file_count EQUAL program_count OR NOT shortcut_count EQUAL program_count)
  message(FATAL_ERROR "${msi}: ${file_count} files and ${shortcut_count} shortcuts for ${program_count} programs")
endif()
file(REMOVE_RECURSE ${staging})
message(STATUS "Built ${msi}")
