# Windows tests run under Wine, in a prefix of their own inside the build tree
# (never the user's ~/.wine), with HOME pointed inside the build tree as well so
# that Documents and the Trash are the prefix's own.
set(HIVESWEEP_WINE_PREFIX "${CMAKE_BINARY_DIR}/wineprefix")
set(HIVESWEEP_WINE_HOME "${CMAKE_BINARY_DIR}/winehome")
set(HIVESWEEP_SCRIPTS "${PROJECT_SOURCE_DIR}/scripts")

set(WINE_PREFIX "${HIVESWEEP_WINE_PREFIX}")
set(WINE_HOME "${HIVESWEEP_WINE_HOME}")
set(WINE_ENV "${CMAKE_BINARY_DIR}/wine-env.sh")
configure_file("${HIVESWEEP_SCRIPTS}/wine-env.sh.in" "${WINE_ENV}" @ONLY)
configure_file("${HIVESWEEP_SCRIPTS}/wine-run.in" "${CMAKE_BINARY_DIR}/wine-run" @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/wine-run")

# Making a prefix takes several seconds: do it once, as a build step.
add_custom_command(
  OUTPUT "${HIVESWEEP_WINE_PREFIX}/.hivesweep-prepared"
  COMMAND "${HIVESWEEP_SCRIPTS}/prepare-prefix.sh" --test "${WINE_ENV}"
  DEPENDS "${HIVESWEEP_SCRIPTS}/prepare-prefix.sh"
  COMMENT "Preparing the Wine prefix for the Windows tests"
  VERBATIM)
add_custom_target(wineprefix ALL DEPENDS "${HIVESWEEP_WINE_PREFIX}/.hivesweep-prepared")

# Wine's background processes would inherit ctest's output pipe and stall it,
# so one persistent wineserver is started detached before the tests and
# stopped after them.
add_test(NAME wine_start COMMAND "${HIVESWEEP_SCRIPTS}/wineserver-ctl.sh" start "${WINE_ENV}")
add_test(NAME wine_stop COMMAND "${HIVESWEEP_SCRIPTS}/wineserver-ctl.sh" stop "${WINE_ENV}")
set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 120)
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)

# Registers a test executable that runs under Wine.
function(hivesweep_add_wine_test target)
  add_test(NAME ${target} COMMAND ${target})
  set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine ${ARGN})
endfunction()

# The Windows tests' own tree (preset windows-tests) builds everything, the
# program's libraries included, with the standard library's bounds checks.
# With them GCC 12 warns wrongly about overlapping copies inside std::string
# at -O3 (-Wrestrict, GCC bug 105329); the other trees keep that warning.
option(HIVESWEEP_STDLIB_ASSERTIONS "Build with -D_GLIBCXX_ASSERTIONS (bounds-checked containers)" OFF)
if(HIVESWEEP_STDLIB_ASSERTIONS)
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
  add_compile_options(-Wno-restrict)
endif()
