# Installs the npm packages pinned by package-lock.json into DEST/node_modules,
# only when DEST does not already hold exactly this lock file's packages, so a
# second run returns at once. Fetches from the npm registry.
#   cmake -DNPM=/usr/bin/npm -DDEST=<folder> -P install.cmake
if(NOT NPM OR NOT DEST)
    message(FATAL_ERROR "usage: cmake -DNPM=<npm> -DDEST=<folder> -P install.cmake")
endif()
set(lock ${CMAKE_CURRENT_LIST_DIR}/package-lock.json)
set(stamp ${DEST}/node_modules/.boxwright-lock)

if(EXISTS ${stamp})
    file(SHA256 ${lock} wanted)
    file(SHA256 ${stamp} installed)
    if(wanted STREQUAL installed)
        return()
    endif()
endif()

file(MAKE_DIRECTORY ${DEST})
file(COPY ${CMAKE_CURRENT_LIST_DIR}/package.json ${lock} DESTINATION ${DEST})
# --ignore-scripts: only the WebAssembly grammar is used, so the package's
# native binding is neither downloaded nor compiled.
execute_process(COMMAND ${NPM} ci --ignore-scripts --no-audit --no-fund --loglevel=error
                WORKING_DIRECTORY ${DEST} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "npm ci failed (${result}) in ${DEST}")
endif()
file(COPY_FILE ${lock} ${stamp})
message(STATUS "npm packages for the PowerShell grammar check installed in ${DEST}")
