# Writes a manual page (section 1) from a program's --help text.
#   cmake -DPROGRAM=path -DNAME=skyvane-cli -DSUMMARY="..." -DVERSION=0.1.0 -DOUT=file.1 -P HelpToMan.cmake
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
                        ${PROGRAM} --help
                RESULT_VARIABLE rc OUTPUT_VARIABLE help ERROR_QUIET)
if(NOT rc EQUAL 0 OR help STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} --help: exit code ${rc}")
endif()
# The usage line names the program as it was started, a path in the build tree.
string(REPLACE "${PROGRAM}" "${NAME}" help "${help}")
# roff: a backslash is written \e; a line that starts with a dot or an apostrophe would be a
# request, so it is preceded by the zero-width \&.
string(REPLACE "\\" "\\e" help "${help}")
# A minus written plainly may come out as a hyphen, which cannot be copied into a command.
string(REPLACE "-" "\\-" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
string(TOUPPER "${NAME}" title)
file(WRITE "${OUT}" ".TH ${title} 1 \"\" \"Skyvane ${VERSION}\" \"User Commands\"
.SH NAME
${NAME} \\- ${SUMMARY}
.SH DESCRIPTION
.nf
${help}
.fi
.SH SEE ALSO
The user guide in share/skyvane/help/index.html.
")
