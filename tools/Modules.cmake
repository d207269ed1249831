# One library per subsystem: every .cpp/.h under the given folders belongs to it.
function(modulation_library name)
    cmake_parse_arguments(ARG "" "" "FOLDERS;LINKS" ${ARGN})
    set(sources)
    foreach(folder IN LISTS ARG_FOLDERS)
        file(GLOB found CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/${folder}/*.h
             ${CMAKE_SOURCE_DIR}/${folder}/*.ui ${CMAKE_SOURCE_DIR}/${folder}/*.qrc)
        list(APPEND sources ${found})
    endforeach()
    # An entry point beside a library unit belongs to the executable, not the library.
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    if(NOT sources)
        # A subsystem with no units yet still carries its dependencies.
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${ARG_LINKS})
        return()
    endif()
    add_library(${name} STATIC ${sources})
    # Installed, the headers keep their folders below the package's include folder.
    target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}>)
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
endfunction()

# One test executable per library, from every .cpp under tests/<folder> and its subfolders.
function(modulation_tests name folder)
    cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/tests/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/tests/${folder}/*.h)
    # A test server's npm packages are no test sources, whatever files they ship.
    list(FILTER sources EXCLUDE REGEX "/node_modules/")
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE test_main ${ARG_LINKS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                         TIMEOUT 900)
endfunction()
