# Keeps the walls between the folders of src. Run as
# `cmake -DSRC_DIR=<src> -P check_include_layers.cmake`; every violation is listed and the run
# fails.
#
#   src/tools     core, history (tools/screenshot also gui and Qt: it drives the real windows)
#   src/gui       core, history, Qt
#   src/history   core
#   src/core      nothing of Qt; inside it, a folder includes its own layer and those below:
#
#       shell
#       odds      export
#       racecard
#       settings  results  trio  value   (one layer: may include each other's peers)
#       domain    (the race's vocabulary: race files, bet kinds, lists, the snapshot)
#       platform  (bytes, the text edge, files, locks, temporary files, paths, the texts)
#
# A quoted include is found the way the compiler finds it: beside the including file, else in
# one of the roots src/core, src/history, src/gui, src/tools; a name found in two roots is
# reported too, as it would depend on the order of the include paths. A new folder of the core
# must be given its layer here before it builds green, so that the order is a decision and not
# an accident.
cmake_minimum_required(VERSION 3.20)

if(NOT DEFINED SRC_DIR OR NOT IS_DIRECTORY "${SRC_DIR}/core")
    message(FATAL_ERROR "SRC_DIR must name the source folder holding core/ (got '${SRC_DIR}')")
endif()

set(areas core history gui tools)
set(allowed_core core)
set(allowed_history history core)
set(allowed_gui gui history core)
set(allowed_tools tools history core)
set(allowed_tools/screenshot tools history core gui)
set(qt_gui ON)
set(qt_tools/screenshot ON)

set(layer_platform 0)
set(layer_domain 1)
set(layer_settings 2)
set(layer_results 2)
set(layer_trio 2)
set(layer_value 2)
set(layer_racecard 3)
set(layer_odds 4)
set(layer_export 4)
set(layer_shell 5)

set(violations "")
set(checked "")
foreach(area IN LISTS areas)
    set(count_${area} 0)
    file(GLOB_RECURSE sources RELATIVE "${SRC_DIR}/${area}" "${SRC_DIR}/${area}/*.hpp"
        "${SRC_DIR}/${area}/*.cpp" "${SRC_DIR}/${area}/*.h" "${SRC_DIR}/${area}/*.cc")
    list(SORT sources)
    foreach(source IN LISTS sources)
        set(shown "${area}/${source}")
        get_filename_component(dir "${SRC_DIR}/${area}/${source}" DIRECTORY)
        # The rule that applies: a tool folder may have its own, else the area's.
        set(rule "${area}")
        if(area STREQUAL "tools" AND source MATCHES "^([^/]+)/")
            if(DEFINED allowed_tools/${CMAKE_MATCH_1})
                set(rule "tools/${CMAKE_MATCH_1}")
            endif()
        endif()
        set(own_layer "")
        if(area STREQUAL "core")
            if(NOT source MATCHES "^([^/]+)/")
                list(APPEND violations "${shown}: lies outside every folder of the core")
                continue()
            endif()
            set(folder "${CMAKE_MATCH_1}")
            if(NOT DEFINED layer_${folder})
                list(APPEND violations
                    "${shown}: folder '${folder}' has no layer in ${CMAKE_CURRENT_LIST_FILE}")
                continue()
            endif()
            set(own_layer ${layer_${folder}})
        endif()
        math(EXPR count_${area} "${count_${area}} + 1")

        file(STRINGS "${SRC_DIR}/${area}/${source}" includes REGEX "^[ \t]*#[ \t]*include")
        foreach(line IN LISTS includes)
            if(line MATCHES
                "#[ \t]*include[ \t]*<(Q[A-Za-z0-9_]*|q[a-z0-9_]*\\.h|Qt[A-Za-z]*/[^>]*)>")
                if(NOT qt_${rule})
                    list(APPEND violations "${shown}: includes Qt <${CMAKE_MATCH_1}>")
                endif()
                continue()
            endif()
            if(NOT line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
                continue()
            endif()
            set(target "${CMAKE_MATCH_1}")
            if(EXISTS "${dir}/${target}" AND NOT area STREQUAL "core")
                continue()  # beside the including file
            endif()
            set(found "")
            foreach(root IN LISTS areas)
                if(EXISTS "${SRC_DIR}/${root}/${target}")
                    list(APPEND found ${root})
                endif()
            endforeach()
            list(LENGTH found hits)
            if(hits EQUAL 0)
                list(APPEND violations "${shown}: includes \"${target}\", found in no root of src")
                continue()
            elseif(hits GREATER 1)
                list(APPEND violations
                    "${shown}: includes \"${target}\", found in more than one root (${found})")
                continue()
            endif()
            if(NOT found IN_LIST allowed_${rule})
                list(APPEND violations
                    "${shown}: includes \"${target}\" of src/${found}, which '${rule}' may not")
                continue()
            endif()
            if(found STREQUAL "core")
                if(NOT target MATCHES "^([^/]+)/")
                    list(APPEND violations "${shown}: includes \"${target}\" without its folder")
                    continue()
                endif()
                set(to "${CMAKE_MATCH_1}")
                if(NOT DEFINED layer_${to})
                    list(APPEND violations "${shown}: includes \"${target}\" of no layer")
                elseif(area STREQUAL "core")
                    if(${layer_${to}} GREATER ${own_layer})
                        list(APPEND violations
                            "${shown}: includes \"${target}\", a layer above '${folder}'")
                    endif()
                endif()
            endif()
        endforeach()
    endforeach()
    if(count_${area} EQUAL 0)
        list(APPEND violations "no source found under ${SRC_DIR}/${area}")
    endif()
    list(APPEND checked "src/${area} ${count_${area}}")
endforeach()

if(violations)
    list(JOIN violations "\n  " text)
    message(FATAL_ERROR "include layering broken:\n  ${text}")
endif()
list(JOIN checked ", " text)
message(STATUS "include walls hold (files checked: ${text})")
