# Runs a command that writes a PDF file and checks the number of pages it holds (the /Count
# of the page tree that Qt's PDF writer leaves uncompressed).
execute_process(COMMAND ${COMMAND} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${COMMAND}: exit code ${rc}")
endif()
file(STRINGS "${PDF}" counts REGEX "/Count [0-9]+")
if(NOT counts MATCHES "/Count ${PAGES}([^0-9]|$)")
  message(FATAL_ERROR "${PDF}: expected ${PAGES} pages, found '${counts}'")
endif()
