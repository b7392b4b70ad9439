# Runs an example script with the built runner in a fresh folder and compares
# the picture it saves with the one kept for it.
#   -DRUNNER=... -DSCRIPT=... -DPICTURE=name.png -DEXPECTED=... -DWORK=folder
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${RUNNER} --seed 1 ${SCRIPT} WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${SCRIPT} ended with status ${status}:\n${errors}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${PICTURE} ${EXPECTED} RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${WORK}/${PICTURE} is not the picture kept in ${EXPECTED}")
endif()
