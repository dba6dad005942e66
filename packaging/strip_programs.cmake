# Run by CPack on the staged files before they are packed: strips the programs of their
# symbols and of the sections the distribution's own packages do without.
file(GLOB_RECURSE programs LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/*")
foreach(program IN LISTS programs)
  execute_process(COMMAND "${CPACK_FORMS_STRIP}" --strip-all --remove-section=.comment --remove-section=.note
                          "${program}" RESULT_VARIABLE stripped)
  if(NOT stripped EQUAL 0)
    message(FATAL_ERROR "could not strip ${program}")
  endif()
endforeach()
