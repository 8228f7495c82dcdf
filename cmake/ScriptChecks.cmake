# Checks the scripts that tests write with real engines:
#   .ps1 files are parsed by the tree-sitter PowerShell grammar
#     (tools/ps1-grammar, needs node and npm; the npm packages are installed
#     into the build tree by the test run itself);
#   .vbs files are run by Wine's VBScript engine (tools/vbs-engine, needs node
#     and wine64).
#
# A test that writes scripts registers itself:
#   boxwright_writes_ps1(TEST...)  the test gets BOXWRIGHT_PS1_OUT in its
#                                  environment: the folder for its .ps1 files
#   boxwright_writes_vbs(TEST...)  the same with BOXWRIGHT_VBS_OUT for .vbs files
#                                  (with NAME.vbs.expected beside a script when
#                                  the engine's report must match, see
#                                  tools/vbs-engine/vbs-engine.mjs)
# Both folders are emptied once at the start of each ctest run (test
# script_checks_clean), then every registered writer runs, then ps1_grammar
# and vbs_engine check everything in them. A test with neither variable set
# writes no copies (the checks are off in that build).
# Without node/npm (or wine) the checks are registered as disabled tests.

option(BOXWRIGHT_SCRIPT_CHECKS "Check the scripts the tests write with a PowerShell grammar and Wine's VBScript engine" ON)

set(BOXWRIGHT_SCRIPT_OUT_DIR ${CMAKE_BINARY_DIR}/script-checks)
set(BOXWRIGHT_PS1_OUT_DIR ${BOXWRIGHT_SCRIPT_OUT_DIR}/ps1)
set(BOXWRIGHT_VBS_OUT_DIR ${BOXWRIGHT_SCRIPT_OUT_DIR}/vbs)
get_filename_component(_bw_tools ${CMAKE_CURRENT_LIST_DIR}/../tools ABSOLUTE)
set(_bw_ps1_tool ${_bw_tools}/ps1-grammar)
set(_bw_vbs_tool ${_bw_tools}/vbs-engine)
set(_bw_ps1_modules ${CMAKE_BINARY_DIR}/ps1-grammar)
set(_bw_wine_state ${CMAKE_BINARY_DIR}/vbs-engine)

find_program(BOXWRIGHT_NODE NAMES node nodejs)
find_program(BOXWRIGHT_NPM npm)
find_program(BOXWRIGHT_WINE NAMES wine64 wine PATHS /usr/lib/wine)

set(_bw_ps1_ready OFF)
set(_bw_vbs_ready OFF)
if(BOXWRIGHT_SCRIPT_CHECKS)
    if(BOXWRIGHT_NODE AND BOXWRIGHT_NPM)
        set(_bw_ps1_ready ON)
    else()
        message(STATUS "node or npm not found: the PowerShell grammar checks are disabled")
    endif()
    if(BOXWRIGHT_NODE AND BOXWRIGHT_WINE)
        set(_bw_vbs_ready ON)
    else()
        message(STATUS "node or wine64 not found: the VBScript engine checks are disabled")
    endif()
endif()

function(_bw_mark_writers kind variable folder)
    if(NOT BOXWRIGHT_SCRIPT_CHECKS)
        return()
    endif()
    foreach(test IN LISTS ARGN)
        set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "${variable}=${folder}")
        set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED script_out)
        set_property(TEST ${test} APPEND PROPERTY FIXTURES_SETUP ${kind}_written)
        set_property(GLOBAL APPEND PROPERTY BOXWRIGHT_${kind}_WRITERS ${test})
    endforeach()
endfunction()

function(boxwright_writes_ps1)
    _bw_mark_writers(ps1 BOXWRIGHT_PS1_OUT ${BOXWRIGHT_PS1_OUT_DIR} ${ARGN})
endfunction()

function(boxwright_writes_vbs)
    _bw_mark_writers(vbs BOXWRIGHT_VBS_OUT ${BOXWRIGHT_VBS_OUT_DIR} ${ARGN})
endfunction()

# A check test; disabled (shown as not run, never failing) when its tools are missing.
function(_bw_check_test name ready)
    add_test(NAME ${name} COMMAND ${ARGN})
    set_tests_properties(${name} PROPERTIES LABELS script-checks SKIP_RETURN_CODE 77)
    if(NOT ready)
        set_tests_properties(${name} PROPERTIES DISABLED TRUE)
    endif()
endfunction()

if(NOT BOXWRIGHT_SCRIPT_CHECKS)
    return()
endif()

add_test(NAME script_checks_clean
         COMMAND ${CMAKE_COMMAND} -DDIRS=${BOXWRIGHT_PS1_OUT_DIR}|${BOXWRIGHT_VBS_OUT_DIR}
                 -P ${CMAKE_CURRENT_LIST_DIR}/EmptyFolders.cmake)
set_tests_properties(script_checks_clean PROPERTIES FIXTURES_SETUP script_out LABELS script-checks)

# The PowerShell grammar: its npm packages, then the checker on samples that
# must pass and on broken ones that must each fail.
set(_bw_ps1_check ${BOXWRIGHT_NODE} ${_bw_ps1_tool}/check.mjs --modules ${_bw_ps1_modules})
_bw_check_test(ps1_grammar_install "${_bw_ps1_ready}"
               ${CMAKE_COMMAND} -DNPM=${BOXWRIGHT_NPM} -DDEST=${_bw_ps1_modules} -P ${_bw_ps1_tool}/install.cmake)
set_tests_properties(ps1_grammar_install PROPERTIES FIXTURES_SETUP ps1_grammar_modules TIMEOUT 600)
_bw_check_test(ps1_grammar_samples "${_bw_ps1_ready}" ${_bw_ps1_check} ${_bw_ps1_tool}/samples/valid)
_bw_check_test(ps1_grammar_rejects "${_bw_ps1_ready}" ${_bw_ps1_check} --expect-fail ${_bw_ps1_tool}/samples/broken)
set_tests_properties(ps1_grammar_samples ps1_grammar_rejects PROPERTIES FIXTURES_REQUIRED ps1_grammar_modules)

# Wine's VBScript engine: a prefix in the build tree, then the tool on samples
# whose reports must match and on scripts that must each fail.
set(_bw_vbs_check ${BOXWRIGHT_NODE} ${_bw_vbs_tool}/vbs-engine.mjs --state ${_bw_wine_state})
_bw_check_test(vbs_engine_prefix "${_bw_vbs_ready}" ${_bw_vbs_check} --prepare)
set_tests_properties(vbs_engine_prefix PROPERTIES FIXTURES_SETUP vbs_engine_prefix TIMEOUT 600)
_bw_check_test(vbs_engine_samples "${_bw_vbs_ready}" ${_bw_vbs_check} ${_bw_vbs_tool}/samples/pass)
_bw_check_test(vbs_engine_rejects "${_bw_vbs_ready}" ${_bw_vbs_check} --expect-fail ${_bw_vbs_tool}/samples/fail)
set_tests_properties(vbs_engine_samples vbs_engine_rejects PROPERTIES FIXTURES_REQUIRED vbs_engine_prefix
                                                                  RESOURCE_LOCK wine_prefix)

# The checks of what the writers wrote, added once every test is known and
# only when some test writes that kind of script.
function(_bw_add_written_checks)
    get_property(ps1_writers GLOBAL PROPERTY BOXWRIGHT_ps1_WRITERS)
    if(ps1_writers)
        _bw_check_test(ps1_grammar "${_bw_ps1_ready}" ${_bw_ps1_check} ${BOXWRIGHT_PS1_OUT_DIR})
        set_tests_properties(ps1_grammar PROPERTIES FIXTURES_REQUIRED "ps1_written;ps1_grammar_modules")
    endif()
    get_property(vbs_writers GLOBAL PROPERTY BOXWRIGHT_vbs_WRITERS)
    if(vbs_writers)
        _bw_check_test(vbs_engine "${_bw_vbs_ready}" ${_bw_vbs_check} ${BOXWRIGHT_VBS_OUT_DIR})
        set_tests_properties(vbs_engine PROPERTIES FIXTURES_REQUIRED "vbs_written;vbs_engine_prefix")
        # A timed box under Wine's own WScript.Shell, on a virtual display.
        _bw_check_test(vbs_engine_real_popup "${_bw_vbs_ready}" bash
                       ${CMAKE_SOURCE_DIR}/tests/scriptcheck/real-popup.sh ${_bw_wine_state}
                       ${BOXWRIGHT_VBS_OUT_DIR}/real-popup/timeout.vbs)
        set_tests_properties(vbs_engine_real_popup PROPERTIES FIXTURES_REQUIRED "vbs_written;vbs_engine_prefix"
                                                              TIMEOUT 180 RESOURCE_LOCK wine_prefix)
        set_tests_properties(vbs_engine PROPERTIES RESOURCE_LOCK wine_prefix)
    endif()
    # The sample scripts shipped with the program, each run with every answer.
    if(TARGET samples)
        _bw_check_test(vbs_engine_shipped_samples "${_bw_vbs_ready}" ${_bw_vbs_check} --answers 1,2,3,4,5,6,7
                       ${CMAKE_BINARY_DIR}/samples)
        set_tests_properties(vbs_engine_shipped_samples PROPERTIES FIXTURES_REQUIRED vbs_engine_prefix
                                                                   RESOURCE_LOCK wine_prefix)
    endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _bw_add_written_checks)
