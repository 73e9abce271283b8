# Runs the icon script into OUT and fails when an icon differs from COMMITTED.
execute_process(COMMAND python3 ${SCRIPT} ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "make-icons.py failed")
endif()
foreach(icon kovomodel-16.png kovomodel-32.png kovomodel-48.png kovomodel-64.png
    kovomodel-128.png kovomodel-256.png kovomodel.svg)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
    ${OUT}/${icon} ${COMMITTED}/${icon} RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "app/icons/${icon} is stale: run app/icons/make-icons.py")
  endif()
endforeach()
