# Read by ctest after the lists of the test programs' tests: every test whose fixture is named
# PrintQueue... or StoppedQueue... prints through the print server and holds it alone while it
# runs.
get_cmake_property(variables VARIABLES)
list(FILTER variables INCLUDE REGEX "^test_[a-z_]+_TESTS$")
foreach(list_name IN LISTS variables)
    foreach(test_name IN LISTS ${list_name})
        if(test_name MATCHES "^(PrintQueue|StoppedQueue)")
            set_tests_properties("${test_name}" PROPERTIES
                RESOURCE_LOCK print-server LABELS print-server)
        endif()
    endforeach()
endforeach()
