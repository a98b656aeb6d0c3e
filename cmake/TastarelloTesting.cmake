# tastarello_add_qtest(<name> SOURCES ... [LIBS ...] [GUI] [NETNS] [TIMEOUT s])
#   One Qt Test program, registered with CTest under its own name.
#   GUI:   runs with QT_QPA_PLATFORM=offscreen.
#   NETNS: runs inside a private network namespace (scripts/netns-run), where it may
#          bind port 23 and reach any address routed to the loopback device.
function(tastarello_add_qtest name)
    cmake_parse_arguments(T "GUI;NETNS" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt::Test ${T_LIBS})
    if(T_NETNS)
        # A cross build's emulator (Wine) goes before the program, as CTest puts it before the others.
        add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/scripts/netns-run ${CMAKE_CROSSCOMPILING_EMULATOR}
                                      $<TARGET_FILE:${name}>)
    else()
        add_test(NAME ${name} COMMAND ${name})
    endif()
    set(env "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=qt.qpa.*=false")
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}")
    if(T_TIMEOUT)
        set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
    else()
        set_tests_properties(${name} PROPERTIES TIMEOUT 300)
    endif()
endfunction()
