# Proves that a library cannot include a header of a layer it must not use:
# compiles a file that includes ALLOWED, then FORBIDDEN, with the include
# directories of the library's own sources, and passes only when the compile
# stops because FORBIDDEN is not found. ALLOWED being found shows that the
# include path itself is sound. FORBIDDEN must exist below FORBIDDEN_ROOT
# (default: the sources' src/), or the check would prove nothing.
#   cmake -DCXX=... -DINCLUDES="a|b" -DSOURCE_DIR=... -DALLOWED=model/X.h
#         -DFORBIDDEN=codec/Y.h [-DFORBIDDEN_ROOT=folder] -DWORK=folder -P ExpectIncludeFails.cmake
if(NOT FORBIDDEN_ROOT)
    set(FORBIDDEN_ROOT ${SOURCE_DIR}/src)
endif()
if(NOT EXISTS ${FORBIDDEN_ROOT}/${FORBIDDEN})
    message(FATAL_ERROR "${FORBIDDEN_ROOT}/${FORBIDDEN} does not exist: the check would prove nothing")
endif()
string(REPLACE "|" ";" dirs "${INCLUDES}")
set(flags -std=c++20 -fsyntax-only -fPIC)
foreach(dir IN LISTS dirs)
    list(APPEND flags -I${dir})
endforeach()
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/check.cpp "#include \"${ALLOWED}\"\n#include \"${FORBIDDEN}\"\n")
execute_process(COMMAND ${CXX} ${flags} ${WORK}/check.cpp RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)

# GCC: "FORBIDDEN: No such file or directory"; clang: "'FORBIDDEN' file not found".
string(REPLACE "." "\\." pattern "${FORBIDDEN}")
if(result EQUAL 0)
    message(FATAL_ERROR "${FORBIDDEN} can be included: the layers leak")
elseif(NOT out MATCHES "${pattern}'?:? (No such file or directory|file not found)")
    message(FATAL_ERROR "the compile failed, but not for want of ${FORBIDDEN}:\n${out}")
endif()
message(STATUS "${FORBIDDEN} is out of reach, as it should be")
