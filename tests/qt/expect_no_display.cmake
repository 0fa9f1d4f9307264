# Runs the game PROGRAM where no display answers: it must print the one line that says so, and
# nothing else, and exit with status 1 rather than abort.
set(line "worm: cannot open a display: set DISPLAY or WAYLAND_DISPLAY, or run it in a desktop session\n")
execute_process(COMMAND ${PROGRAM} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
if(NOT "${status}" STREQUAL "1" OR NOT "${err}" STREQUAL "${line}" OR NOT "${out}" STREQUAL "")
  message(FATAL_ERROR "exit status '${status}', expected 1\nstderr:\n${err}\nstdout:\n${out}")
endif()
