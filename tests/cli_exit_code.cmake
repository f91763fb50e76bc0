# Runs skyvane-cli with bad arguments and expects exit code 2 and a one-line message.
foreach(ARGS "where;--ra;25;--dec;0;--ut;2026-01-01T00:00:00"
             "time;--ut;2026-13-01T00:00:00"
             "project;--size;banana"
             "nosuchcommand"
             "ephem;--body;Vulcan;--ut;2026-01-01T00:00:00;--lat;0;--lon;0"
             "ephem;--body;Mars;--ut;2026-01-01T00:00:00"
             "ephem;--asteroid;too short;--ut;2026-01-01T00:00:00;--lat;0;--lon;0"
             "ephem;--body;Mars;--comet;x;--ut;2026-01-01T00:00:00;--lat;0;--lon;0"
             "star;HIP 999999999"
             "info"
             "table"
             "table;--body;Vulcan"
             "table;--body;Mars;--count;1001"
             "table;--body;Mars;--step;soon"
             "table;--body;Mars;--columns;ra,colour"
             "table;--body;Mars;--start;tomorrow"
             "table;--body;Mars;--csv;--json"
             "info;Vega;--asteroid;x"
             "info;Vega;--lat;10"
             "info;Vega;--place;211;--lat;10;--lon;0"
             "info;Vega;--tz;abc"
             "find"
             "find;--data"
             "find;Vega;--lat;10"
             "find;Vega;--ut;yesterday"
             "find;Vega;--colour;red"
             "find;M 200"
             "find;HD 12x"
             "render;--out;chart.txt"
             "render;--out;never-written.png;--view;green"
             "render;--out;never-written.png;--grids;eq,polar"
             "render;--out;never-written.png;--mag;bright"
             "render;--out;never-written.png;--size;10x0"
             "render;--out;never-written.png;--dso;galaxies"
             "render;--out;never-written.png;--trail;Vulcan,2026-12-01T00:00:00,1,30"
             "render;--out;never-written.png;--trail;Mars,yesterday,1,30"
             "render;--out;never-written.png;--asteroids;/nonexistent/asteroids.skd"
             "render;--out;never-written.png;--settings;/nonexistent/chart.skv"
             "render;--out;never-written.png;--page;a4"
             "render;--out;never-written.pdf;--page;a3"
             "render;--out;never-written.pdf;--bw"
             "render;--out;never-written.pdf;--comment;no page")
  execute_process(COMMAND ${CLI} ${ARGS} RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_VARIABLE out)
  if(NOT rc EQUAL 2)
    message(FATAL_ERROR "skyvane-cli ${ARGS}: exit code ${rc}, expected 2")
  endif()
  string(STRIP "${err}" err)
  if(err STREQUAL "" OR err MATCHES "\n")
    message(FATAL_ERROR "skyvane-cli ${ARGS}: expected one line of message, got '${err}'")
  endif()
endforeach()
