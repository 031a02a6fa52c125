# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers

# The version and date of a release are those of the newest entry of
# debian/changelog, for every build: the program and its manual, the
# packages, the Windows programs and the page. Sets CLICKSHOW_VERSION
# (0.3.0, without the packages' revision), CLICKSHOW_RELEASE_DATE
# (2026-12-10) and CLICKSHOW_RELEASE_MONTH (December 2026).
function(clickshow_release)
    set(changelog ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../debian/changelog)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
    file(STRINGS ${changelog} top LIMIT_COUNT 1)
    if(NOT top MATCHES "^clickshow \\(([0-9]+\\.[0-9]+\\.[0-9]+)(-[^)]+)?\\) ")
        message(FATAL_ERROR "debian/changelog: the newest entry names no version such as 0.3.0-1: ${top}")
    endif()
    set(CLICKSHOW_VERSION ${CMAKE_MATCH_1} PARENT_SCOPE)
    set(version ${CMAKE_MATCH_1})
    file(STRINGS ${changelog} trailer REGEX "^ -- " LIMIT_COUNT 1)
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    set(month_names January February March April May June July August September October November December)
    if(NOT trailer MATCHES ">  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
        message(FATAL_ERROR "debian/changelog: the newest entry has no date as dch writes it: ${trailer}")
    endif()
    set(day ${CMAKE_MATCH_1})
    set(year ${CMAKE_MATCH_3})
    list(FIND months ${CMAKE_MATCH_2} month)
    if(month LESS 0)
        message(FATAL_ERROR "debian/changelog: no month ${CMAKE_MATCH_2}: ${trailer}")
    endif()
    list(GET month_names ${month} month_name)
    math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
    if(month LESS 10)
        set(month 0${month})
    endif()
    set(CLICKSHOW_RELEASE_DATE ${year}-${month}-${day} PARENT_SCOPE)
    set(CLICKSHOW_RELEASE_MONTH "${month_name} ${year}" PARENT_SCOPE)

    # The desktop's metadata lists the releases, the newest first: it must be
    # this one.
    set(metainfo ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../data/org.clickshow.clickshow.metainfo.xml)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${metainfo})
    file(STRINGS ${metainfo} newest REGEX "<release " LIMIT_COUNT 1)
    if(NOT newest MATCHES "version=\"${version}\" date=\"${year}-${month}-${day}\"")
        message(FATAL_ERROR "data/org.clickshow.clickshow.metainfo.xml: the newest release is not "
                            "${version} of ${year}-${month}-${day}, as debian/changelog says: ${newest}")
    endif()
endfunction()
clickshow_release()
