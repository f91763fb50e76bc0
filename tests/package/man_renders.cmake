# Renders a manual page with groff and fails on any warning or a page without its name.
execute_process(COMMAND ${GROFF} -man -Tutf8 -ww -z "${PAGE}"
                RESULT_VARIABLE rc ERROR_VARIABLE warnings)
if(NOT rc EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "${PAGE}: groff exit ${rc}: ${warnings}")
endif()
execute_process(COMMAND ${GROFF} -man -Tascii "${PAGE}" OUTPUT_VARIABLE text ERROR_QUIET)
if(NOT text MATCHES "${NAME} +- " OR NOT text MATCHES "Usage")
  message(FATAL_ERROR "${PAGE}: the rendered page lacks its name line or the help text")
endif()
