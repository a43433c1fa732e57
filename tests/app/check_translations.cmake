# Fails when a label in the sources has no translation in a .ts file, or a
# translation is left for a label that is gone: lupdate runs over the sources
# into a copy of each file, so the checked-in files are never touched.
#   cmake -DLUPDATE=… -DTS_FILES=a|b -DSOURCES=x|y -DINCLUDES=i|j -DWORK_DIR=… -P check_translations.cmake
string(REPLACE "|" ";" ts_files "${TS_FILES}")
string(REPLACE "|" ";" sources "${SOURCES}")
string(REPLACE "|" ";" includes "${INCLUDES}")
list(TRANSFORM includes PREPEND "-I")
file(MAKE_DIRECTORY ${WORK_DIR})
foreach(ts IN LISTS ts_files)
  get_filename_component(name ${ts} NAME)
  set(copy ${WORK_DIR}/${name})
  file(COPY_FILE ${ts} ${copy})
  execute_process(COMMAND ${LUPDATE} -locations none ${includes} ${sources} -ts ${copy}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed on ${name}:\n${output}")
  endif()
  file(READ ${copy} text)
  string(REGEX MATCHALL "<source>[^<]*</source>[ \r\n]*<translation type=\"(unfinished|vanished|obsolete)\""
    stale "${text}")
  if(stale)
    string(REPLACE ";" "\n" stale "${stale}")
    message(FATAL_ERROR "${name} is out of date; build the update_translations target "
      "and translate:\n${stale}")
  endif()
  message(STATUS "${name}: every label translated")
endforeach()
