# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers

# Installed under a prefix given at install time, as `cmake --install
# --prefix` and packagers do: XScreenSaver's link leads to the program.
#   cmake -DBUILD=build -DPREFIX=dir -P prefix.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} OUTPUT_QUIET RESULT_VARIABLE failed)
file(GLOB hack ${PREFIX}/*/xscreensaver/clickshow)
get_filename_component(program "${hack}" REALPATH)
if(failed OR NOT hack OR NOT program STREQUAL "${PREFIX}/bin/clickshow" OR NOT EXISTS "${program}")
    message(FATAL_ERROR "the hack \"${hack}\" leads to \"${program}\", not ${PREFIX}/bin/clickshow")
endif()
file(REMOVE_RECURSE ${PREFIX})
