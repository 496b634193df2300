# Writes a C++ source that holds one file as a byte array, so that the program
# carries its pictures without a resource system.
#
#   cmake -DINPUT=file.bmp -DOUTPUT=file.cpp -DNAME=kArray -DHEADER=dir/decl.h
#         -DNAMESPACE=ns -P EmbedFile.cmake
#
# The array is NAME and its length NAME##Size, both declared in HEADER inside
# namespace NAMESPACE.
foreach(var INPUT OUTPUT NAME HEADER NAMESPACE)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "EmbedFile.cmake needs -D${var}=...")
    endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
if(digits EQUAL 0)
    # A zero-length array would not compile, and an empty picture is a mistake anyway.
    message(FATAL_ERROR "${INPUT} is empty")
endif()
math(EXPR size "${digits} / 2")

# Sixteen bytes a line, each as 0xNN.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x..," 16 line)  # CMake's regular expressions have no {n}
string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
string(REGEX REPLACE "[ \n]+$" "" bytes "${bytes}")

get_filename_component(source_name "${INPUT}" NAME)
file(WRITE "${OUTPUT}"
"// Made at build time from ${source_name} by EmbedFile.cmake. Do not edit.
#include \"${HEADER}\"

namespace ${NAMESPACE} {

const std::uint8_t ${NAME}[] = {
    ${bytes}
};
const std::size_t ${NAME}Size = ${size};

}  // namespace ${NAMESPACE}
")
