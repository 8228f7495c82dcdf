# Include roots: what a library's code may include is what its include path
# shows, so a wrong-way include does not build.
#
# Each folder of src/ that a library is built from gets a root in the build
# tree, build/layers/<folder>/, holding one link, <folder> -> src/<folder>. A
# library puts its own folder's root on its PUBLIC include path, so its code and
# its users write "model/X.h", "platform/qt/X.h"; the roots of the layers below
# come only with what it links. No library puts src/ itself on its path: model
# code finds no "codec/...", the core finds no "platform/..." or "editor/...".
# A file still finds the files of its own folder by their bare names.
#
#   boxwright_layer(TARGET FOLDER)   FOLDER relative to src/, e.g. model, platform
#
# Where links cannot be made (a Windows host without the right to make them),
# the roots fall back to src/ itself, with a warning: everything builds, but
# wrong-way includes are no longer caught, and the checks that prove they are
# (tests/layers) are registered as disabled.

set(BOXWRIGHT_LAYER_ROOTS ${CMAKE_BINARY_DIR}/layers)
# The tree whose src/ holds the layers: this one, or the one a sub-project
# (web/) builds the core from.
if(NOT BOXWRIGHT_SOURCE_ROOT)
    set(BOXWRIGHT_SOURCE_ROOT ${CMAKE_SOURCE_DIR})
endif()
set_property(GLOBAL PROPERTY BOXWRIGHT_LAYERS_ENFORCED ON)

function(boxwright_layer target folder)
    set(root ${BOXWRIGHT_LAYER_ROOTS}/${folder})
    get_property(enforced GLOBAL PROPERTY BOXWRIGHT_LAYERS_ENFORCED)
    # Made at every configure, so a moved source tree gets its links anew.
    if(enforced)
        get_filename_component(parent ${root}/${folder} DIRECTORY)
        file(MAKE_DIRECTORY ${parent})
        file(CREATE_LINK ${BOXWRIGHT_SOURCE_ROOT}/src/${folder} ${root}/${folder} SYMBOLIC RESULT result)
        if(NOT result EQUAL 0)
            message(WARNING "Cannot make the include roots of the layers (${result}): every library sees all "
                            "of src/, and includes against the layers are not caught in this build")
            set_property(GLOBAL PROPERTY BOXWRIGHT_LAYERS_ENFORCED OFF)
            set(enforced OFF)
        endif()
    endif()
    if(NOT enforced)
        set(root ${BOXWRIGHT_SOURCE_ROOT}/src)
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE ${root})
    else()
        target_include_directories(${target} PUBLIC ${root})
    endif()
endfunction()
