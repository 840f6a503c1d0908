# Run by cpack on the files staged for the Debian package, before it packs them.
# Strips the programs as dh_strip does (without the comment and note sections
# too) and sets the package's dependencies on their libraries' packages from
# dpkg-shlibdeps. CPack's own lookup (CPACK_DEBIAN_PACKAGE_SHLIBDEPS) would also
# call ldconfig at every install and removal for the preview plugin, though it
# is the program's own and no linker looks in its folder.

file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
set(programs)
foreach(path IN LISTS staged)
  if(NOT IS_SYMLINK "${path}")
    file(READ "${path}" magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
      list(APPEND programs "${path}")
    endif()
  endif()
endforeach()
if(NOT programs)
  message(FATAL_ERROR "No program among the files staged in ${CPACK_TEMPORARY_DIRECTORY}")
endif()

foreach(program IN LISTS programs)
  execute_process(COMMAND "${CPACK_TREVIX_STRIP}" --remove-section=.comment --remove-section=.note --strip-unneeded
                          "${program}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()

# dpkg-shlibdeps wants a debian/control where it runs; a folder beside the
# staged files, so that it is not packed. It warns that the files are not
# in debian/<package>/, which is where debhelper would stage them: only its
# messages of a failure are shown.
set(work "${CPACK_TOPLEVEL_DIRECTORY}/shlibdeps")
file(WRITE "${work}/debian/control" "")
execute_process(COMMAND "${CPACK_TREVIX_SHLIBDEPS}" -O ${programs}
                WORKING_DIRECTORY "${work}"
                RESULT_VARIABLE failed OUTPUT_VARIABLE substvars ERROR_VARIABLE messages)
file(REMOVE_RECURSE "${work}")
if(failed OR NOT substvars MATCHES "shlibs:Depends=([^\n]+)")
  message(FATAL_ERROR "dpkg-shlibdeps found no libraries of ${programs}: ${messages}")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}, ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
