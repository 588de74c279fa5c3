# Shared build helpers: warnings, sanitizers, tests and resource bundles.

add_library(quenby_warnings INTERFACE)
add_library(quenby::warnings ALIAS quenby_warnings)
target_compile_options(quenby_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wsuggest-override)
if(QUENBY_WERROR)
    target_compile_options(quenby_warnings INTERFACE -Werror)
endif()

if(QUENBY_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# quenby_add_test(NAME <name> LABEL <label> SOURCES <files...> LIBS <targets...>)
# One Qt Test executable per test file, labelled with its library in CTest.
function(quenby_add_test)
    cmake_parse_arguments(T "" "NAME;LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} Qt6::Test quenby::warnings)
    target_compile_definitions(${T_NAME} PRIVATE
        QUENBY_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/tests/data"
        QUENBY_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        QUENBY_BIN_DIR="${QUENBY_BIN_DIR}")
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABEL}" TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUENBY_TEST=1")
endfunction()

# quenby_resource_bundle(<Lib> <resources dir>)
# Copies a library's resources/ folder to <Lib>_<Lib>.bundle beside every executable of the
# build tree, and installs it under share/quenby. The bundle target is made a dependency of
# the library, so anything linking the library gets its bundle built.
function(quenby_resource_bundle lib dir)
    set(bundle "${lib}_${lib}.bundle")
    file(GLOB_RECURSE files CONFIGURE_DEPENDS "${dir}/*")
    set(outputs)
    foreach(f IN LISTS files)
        file(RELATIVE_PATH rel "${dir}" "${f}")
        set(out "${QUENBY_BIN_DIR}/${bundle}/${rel}")
        add_custom_command(OUTPUT "${out}"
            COMMAND ${CMAKE_COMMAND} -E copy_if_different "${f}" "${out}"
            DEPENDS "${f}" VERBATIM)
        list(APPEND outputs "${out}")
    endforeach()
    add_custom_target(${lib}_bundle DEPENDS ${outputs})
    add_dependencies(${lib} ${lib}_bundle)
    set_property(GLOBAL APPEND PROPERTY QUENBY_BUNDLES "${bundle}")
    install(DIRECTORY "${dir}/" DESTINATION share/quenby/${bundle})
endfunction()
