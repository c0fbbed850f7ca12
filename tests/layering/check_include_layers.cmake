# Keeps the core's folders layered: a file may include its own folder, any folder below it and
# the standard library, never a folder above it, and nothing of Qt (the core builds without
# Qt). Run as `cmake -DCORE_DIR=<src/core> -P check_include_layers.cmake`; every violation is
# listed and the run fails.
#
#   shell
#   odds      export
#   racecard
#   settings  results  trio  history  value   (one layer: may include each other's peers)
#   common
#
# A new folder of the core must be given its layer here before it builds green, so that the
# order is a decision and not an accident.
cmake_minimum_required(VERSION 3.20)

if(NOT DEFINED CORE_DIR OR NOT IS_DIRECTORY "${CORE_DIR}")
    message(FATAL_ERROR "CORE_DIR must name the core's source folder (got '${CORE_DIR}')")
endif()

set(layer_common 0)
set(layer_settings 1)
set(layer_results 1)
set(layer_trio 1)
set(layer_history 1)
set(layer_value 1)
set(layer_racecard 2)
set(layer_odds 3)
set(layer_export 3)
set(layer_shell 4)

file(GLOB_RECURSE sources RELATIVE "${CORE_DIR}" "${CORE_DIR}/*.hpp" "${CORE_DIR}/*.cpp"
    "${CORE_DIR}/*.h" "${CORE_DIR}/*.cc")
list(SORT sources)

set(violations "")
set(checked 0)
foreach(source IN LISTS sources)
    if(NOT source MATCHES "^([^/]+)/")
        list(APPEND violations "${source}: lies outside every folder of the core")
        continue()
    endif()
    set(folder "${CMAKE_MATCH_1}")
    if(NOT DEFINED layer_${folder})
        list(APPEND violations "${source}: folder '${folder}' has no layer in ${CMAKE_CURRENT_LIST_FILE}")
        continue()
    endif()
    set(own ${layer_${folder}})
    math(EXPR checked "${checked} + 1")

    file(STRINGS "${CORE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
        if(line MATCHES "#[ \t]*include[ \t]*<(Q[A-Za-z0-9_]*|q[a-z0-9_]*\\.h|Qt[A-Za-z]*/[^>]*)>")
            list(APPEND violations "${source}: includes Qt <${CMAKE_MATCH_1}>")
        elseif(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
            set(target "${CMAKE_MATCH_1}")
            if(NOT target MATCHES "^([^/]+)/")
                list(APPEND violations "${source}: includes \"${target}\" without its folder")
            else()
                set(to "${CMAKE_MATCH_1}")
                if(NOT DEFINED layer_${to})
                    list(APPEND violations "${source}: includes \"${target}\" from outside the core")
                elseif(${layer_${to}} GREATER ${own})
                    list(APPEND violations
                        "${source}: includes \"${target}\", a layer above '${folder}'")
                endif()
            endif()
        endif()
    endforeach()
endforeach()

if(checked EQUAL 0)
    list(APPEND violations "no source of the core found under ${CORE_DIR}")
endif()
if(violations)
    list(JOIN violations "\n  " text)
    message(FATAL_ERROR "include layering broken:\n  ${text}")
endif()
message(STATUS "include layering holds in ${checked} files of the core")
