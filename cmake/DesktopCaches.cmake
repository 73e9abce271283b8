# The caches through which desktops find installed MIME types, the
# applications that open them, and icons. Used at install time, from
# FinishInstall.cmake and Uninstall.cmake.

# Runs tool with the options (ARGN) on folder when both are there; a tool
# that fails gives a warning, since the installed files are in place anyway.
function(kovo_run_cache_tool tool folder)
  find_program(found ${tool})
  set(path "${found}")
  unset(found CACHE)
  if(NOT path OR NOT IS_DIRECTORY "${folder}")
    return()
  endif()
  message(STATUS "Refreshing: ${folder}")
  execute_process(COMMAND "${path}" ${ARGN} "${folder}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(WARNING "${tool} ${folder} failed (${status}): that cache is out of date")
  endif()
endfunction()

# Rebuilds the caches under datadir, an installed share folder, with the tools
# that are present.
function(kovo_refresh_desktop_caches datadir)
  kovo_run_cache_tool(update-mime-database "${datadir}/mime")
  kovo_run_cache_tool(update-desktop-database "${datadir}/applications" -q)
  # -t: a prefix such as /usr/local has no index.theme of its own.
  kovo_run_cache_tool(gtk-update-icon-cache "${datadir}/icons/hicolor" -q -t -f)
endfunction()
