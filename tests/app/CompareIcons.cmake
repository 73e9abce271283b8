# Runs the icon script into OUT and fails when a PNG differs from COMMITTED.
execute_process(COMMAND python3 ${SCRIPT} ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "make-icons.py failed")
endif()
foreach(size 16 32)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
    ${OUT}/kovomodel-${size}.png ${COMMITTED}/kovomodel-${size}.png RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "app/icons/kovomodel-${size}.png is stale: run app/icons/make-icons.py")
  endif()
endforeach()
