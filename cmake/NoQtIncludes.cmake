# Fails when any source under DIR includes a Qt header.
file(GLOB_RECURSE sources "${DIR}/*.h" "${DIR}/*.cpp")
foreach(source IN LISTS sources)
    file(STRINGS "${source}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]Q[A-Za-z]")
    if(hits)
        message(FATAL_ERROR "${source} includes Qt: ${hits}")
    endif()
endforeach()
message(STATUS "checked ${DIR}: no Qt includes")
