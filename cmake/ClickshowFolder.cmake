# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers

# Layers the build enforces: a folder's headers reach a target as
# "folder/header.h" only if it links that folder's library. Each library
# exports a directory of its own holding one link, to its folder, rather
# than the top of the tree, which would show every folder to everyone.
function(clickshow_folder target)
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    set(dir ${PROJECT_BINARY_DIR}/include/${target})
    file(MAKE_DIRECTORY ${dir})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${dir}/${folder} SYMBOLIC)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE ${dir})
    else()
        target_include_directories(${target} PUBLIC ${dir})
    endif()
endfunction()
