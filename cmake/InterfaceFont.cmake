# The interface font (tools/interface-font): the font the system gives Japanese
# text, cut down to the characters of the program's own texts, written to
# fonts/ beside the program with its licence and installed under
# share/boxwright/fonts. Made when fontconfig names a Japanese font under the
# SIL Open Font License and Python has fontTools (Debian's fonttools package);
# without it the windows draw every text from the system's fonts.
#
# Sets BOXWRIGHT_INTERFACE_FONT_SOURCE (the font's family, for the program to
# check it against the system's choice at start) and
# BOXWRIGHT_INTERFACE_FONT_FILE, both empty when no font is made.
option(BOXWRIGHT_INTERFACE_FONT "Cut the interface font from the system's Japanese font" ON)
set(BOXWRIGHT_INTERFACE_FONT_SOURCE "")
set(BOXWRIGHT_INTERFACE_FONT_FILE "")
set(BOXWRIGHT_INTERFACE_FONT_MAKER ${CMAKE_SOURCE_DIR}/tools/interface-font/make_interface_font.py)

function(boxwright_find_interface_font)
    if(NOT BOXWRIGHT_INTERFACE_FONT OR BOXWRIGHT_CORE_ONLY OR WIN32)
        return()
    endif()
    find_program(BOXWRIGHT_FC_MATCH fc-match)
    # Debian's own python3 is the one its fontTools package is installed for.
    find_program(BOXWRIGHT_FONT_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
    find_program(BOXWRIGHT_FONT_PYTHON python3)
    set(why "")
    if(NOT BOXWRIGHT_FC_MATCH)
        set(why "no fc-match")
    elseif(NOT BOXWRIGHT_FONT_PYTHON)
        set(why "no python3")
    else()
        execute_process(COMMAND ${BOXWRIGHT_FONT_PYTHON} -c "import fontTools.subset"
                        RESULT_VARIABLE no_fonttools OUTPUT_QUIET ERROR_QUIET)
        execute_process(COMMAND ${BOXWRIGHT_FC_MATCH} -f "%{file}\n%{index}\n%{family[0]}" "sans-serif:lang=ja"
                        OUTPUT_VARIABLE match RESULT_VARIABLE no_match ERROR_QUIET)
        string(REPLACE "\n" ";" match "${match}")
        list(LENGTH match fields)
        if(no_fonttools)
            set(why "no fontTools for ${BOXWRIGHT_FONT_PYTHON}")
        elseif(no_match OR NOT fields EQUAL 3)
            set(why "fontconfig names no font for Japanese")
        else()
            list(GET match 0 font_file)
            list(GET match 1 font_index)
            # The family as fontconfig names it: the program compares it with
            # fontconfig's answer at start.
            list(GET match 2 font_family)
            # A variable font's named instance has its number above bit 16.
            if(NOT EXISTS "${font_file}" OR NOT font_index MATCHES "^[0-9]+$" OR font_index GREATER_EQUAL 65536)
                set(why "${font_file} (${font_index}) is no font file fontTools can cut")
            else()
                execute_process(COMMAND ${BOXWRIGHT_FONT_PYTHON} ${BOXWRIGHT_INTERFACE_FONT_MAKER} --check ${font_file} ${font_index}
                                OUTPUT_VARIABLE checked RESULT_VARIABLE cannot_cut
                                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
                if(cannot_cut)
                    set(why "${font_file}: ${checked}")
                endif()
            endif()
        endif()
    endif()
    if(why)
        message(STATUS "Interface font: not made (${why}); the windows use the system's fonts alone")
        return()
    endif()
    message(STATUS "Interface font: cut from ${font_family} (${font_file})")
    set(BOXWRIGHT_INTERFACE_FONT_SOURCE "${font_family}" PARENT_SCOPE)
    set(BOXWRIGHT_INTERFACE_FONT_FILE ${CMAKE_BINARY_DIR}/fonts/boxwright-ui-ja.otf PARENT_SCOPE)
    set(BOXWRIGHT_INTERFACE_FONT_FROM "${font_file}" PARENT_SCOPE)
    set(BOXWRIGHT_INTERFACE_FONT_INDEX "${font_index}" PARENT_SCOPE)
endfunction()
boxwright_find_interface_font()

# The rule that makes it, from every source file that may hold a text shown.
function(boxwright_add_interface_font)
    if(NOT BOXWRIGHT_INTERFACE_FONT_FILE)
        return()
    endif()
    file(GLOB_RECURSE texts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h)
    set(licence ${CMAKE_SOURCE_DIR}/tools/interface-font/OFL-1.1.txt)
    string(REGEX REPLACE "\\.otf$" "-LICENSE.txt" notice ${BOXWRIGHT_INTERFACE_FONT_FILE})
    # Made again when the system's font changes (a new version of it), too.
    add_custom_command(OUTPUT ${BOXWRIGHT_INTERFACE_FONT_FILE} ${notice}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/fonts
                       COMMAND ${BOXWRIGHT_FONT_PYTHON} ${BOXWRIGHT_INTERFACE_FONT_MAKER} ${BOXWRIGHT_INTERFACE_FONT_FROM}
                               ${BOXWRIGHT_INTERFACE_FONT_INDEX} ${BOXWRIGHT_INTERFACE_FONT_FILE} ${licence} ${texts}
                       DEPENDS ${BOXWRIGHT_INTERFACE_FONT_MAKER} ${licence} ${BOXWRIGHT_INTERFACE_FONT_FROM} ${texts}
                       COMMENT "Cutting the interface font" VERBATIM)
    add_custom_target(interface_font ALL DEPENDS ${BOXWRIGHT_INTERFACE_FONT_FILE} ${notice})
    include(GNUInstallDirs)
    install(FILES ${BOXWRIGHT_INTERFACE_FONT_FILE} ${notice} DESTINATION ${CMAKE_INSTALL_DATADIR}/boxwright/fonts)
endfunction()
