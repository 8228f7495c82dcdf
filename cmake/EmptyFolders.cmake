# Empties folders (making them if missing): cmake -DDIRS=a|b -P EmptyFolders.cmake
string(REPLACE "|" ";" dirs "${DIRS}")
foreach(dir IN LISTS dirs)
    if(NOT IS_ABSOLUTE "${dir}")
        message(FATAL_ERROR "not an absolute path: '${dir}'")
    endif()
    file(REMOVE_RECURSE "${dir}")
    file(MAKE_DIRECTORY "${dir}")
endforeach()
