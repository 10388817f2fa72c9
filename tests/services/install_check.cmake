# Installs the build under a fresh prefix and checks that the launcher's folder holds what an
# installation needs: the program, its help viewer, and its language and help files as shipped.
#   cmake -DBUILD=<build dir> -DPREFIX=<temporary prefix> -DFOLDER=<launcher folder below it>
#         -DSOURCE=<source dir> -P install_check.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(folder "${PREFIX}/${FOLDER}")
foreach(program Qx32 HalvaneHelp)
  if(NOT EXISTS "${folder}/${program}" OR IS_DIRECTORY "${folder}/${program}")
    message(FATAL_ERROR "not installed: ${folder}/${program}")
  endif()
endforeach()
foreach(shipped Qx.Lng QX.HLP)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${SOURCE}/suite/launcher/${shipped}"
                          "${folder}/${shipped}" RESULT_VARIABLE different)
  if(NOT different EQUAL 0)
    message(FATAL_ERROR "not installed as shipped: ${folder}/${shipped}")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
message(STATUS "the launcher's folder is complete in ${folder}")
