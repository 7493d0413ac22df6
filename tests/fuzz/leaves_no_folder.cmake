# Runs the probe with TMPDIR set to an empty folder; every file and folder the harness made
# there must be gone once the probe has exited.
file(REMOVE_RECURSE ${TEMP})
file(MAKE_DIRECTORY ${TEMP})
execute_process(COMMAND ${CMAKE_COMMAND} -E env TMPDIR=${TEMP} ${PROBE} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the probe ended with ${status}")
endif()
file(GLOB left ${TEMP}/*)
if(left)
  message(FATAL_ERROR "left behind: ${left}")
endif()
