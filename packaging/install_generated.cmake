# Run at install time, after the prefix is known: the menu entry that names the installed program,
# and the manual page and changelog compressed as Debian installs them. The install rules set
# WORM_SOURCE_DIR, WORM_CHANGELOG, WORM_STAGE_DIR, WORM_APP_ID and the WORM_*_DIR install
# directories.
set(prefix "${CMAKE_INSTALL_PREFIX}")
file(MAKE_DIRECTORY "${WORM_STAGE_DIR}")
set(readable FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

# By its full path: a desktop session's PATH need not hold the games directory.
set(games "${WORM_GAMES_DIR}")
if(NOT IS_ABSOLUTE "${games}")
  set(games "${prefix}/${games}")
endif()
file(READ "${WORM_SOURCE_DIR}/${WORM_APP_ID}.desktop.in" entry)
string(REPLACE "@WORM_PROGRAM@" "${games}/worm" entry "${entry}")
file(WRITE "${WORM_STAGE_DIR}/${WORM_APP_ID}.desktop" "${entry}")
file(INSTALL "${WORM_STAGE_DIR}/${WORM_APP_ID}.desktop" DESTINATION "${prefix}/${WORM_DATA_DIR}/applications"
     ${readable})

# gzip -9n keeps no name or time in the header, so the same sources make the same package.
foreach(entry "${WORM_SOURCE_DIR}/worm.6|${WORM_MAN_DIR}/man6" "${WORM_CHANGELOG}|${WORM_DOC_DIR}")
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 file)
  list(GET entry 1 dir)
  get_filename_component(name "${file}" NAME)
  execute_process(COMMAND gzip -9n -c "${file}" OUTPUT_FILE "${WORM_STAGE_DIR}/${name}.gz"
                  COMMAND_ERROR_IS_FATAL ANY)
  file(INSTALL "${WORM_STAGE_DIR}/${name}.gz" DESTINATION "${prefix}/${dir}" ${readable})
endforeach()
