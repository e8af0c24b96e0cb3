# Read by ctest after the lists of the test programs' tests: every test of test_print, and
# every test of another program whose fixture is named PrintQueue..., prints through the print
# server and holds it alone while it runs.
get_cmake_property(variables VARIABLES)
list(FILTER variables INCLUDE REGEX "^test_[a-z_]+_TESTS$")
foreach(list_name IN LISTS variables)
    foreach(test_name IN LISTS ${list_name})
        if(list_name MATCHES "^test_print_TESTS$" OR test_name MATCHES "^PrintQueue")
            set_tests_properties("${test_name}" PROPERTIES
                RESOURCE_LOCK print-server LABELS print-server)
        endif()
    endforeach()
endforeach()
