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
if(QUENBY_FUZZ)
    # Coverage feedback for libFuzzer from every library the fuzz targets link.
    add_compile_options(-fsanitize=fuzzer-no-link)
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
    # Application bundles copy the same files into their Contents/Resources (quenby_app_bundle).
    set_target_properties(${lib}_bundle PROPERTIES QUENBY_BUNDLE_SOURCE "${dir}" QUENBY_BUNDLE_FILES "${files}")
    set_property(GLOBAL APPEND PROPERTY QUENBY_BUNDLES "${bundle}")
    install(DIRECTORY "${dir}/" DESTINATION share/quenby/${bundle})
endfunction()

# quenby_app_bundle(TARGET <executable target> NAME <bundle name> IDENTIFIER <bundle identifier>
#                   VERSION <version> [COPYRIGHT <text>] [DESTINATION <folder>] [BUNDLES <Lib>...])
# Builds the executable as an application bundle <DESTINATION>/<NAME>.app (default destination: the
# bin folder): the executable in Contents/MacOS, an XML Contents/Info.plist with CFBundleIdentifier,
# CFBundleName, CFBundleShortVersionString, CFBundleExecutable (and NSHumanReadableCopyright when
# given), and the resource bundles of the listed libraries in Contents/Resources, where the program's
# bundle lookup finds them first.
function(quenby_app_bundle)
    cmake_parse_arguments(A "" "TARGET;NAME;IDENTIFIER;VERSION;COPYRIGHT;DESTINATION" "BUNDLES" ${ARGN})
    foreach(required TARGET NAME IDENTIFIER VERSION)
        if(NOT A_${required})
            message(FATAL_ERROR "quenby_app_bundle: ${required} is required")
        endif()
    endforeach()
    if(NOT A_DESTINATION)
        set(A_DESTINATION "${QUENBY_BIN_DIR}")
    endif()
    set(contents "${A_DESTINATION}/${A_NAME}.app/Contents")
    set_target_properties(${A_TARGET} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${contents}/MacOS")

    set(keys CFBundleIdentifier CFBundleName CFBundleShortVersionString)
    set(values "${A_IDENTIFIER}" "${A_NAME}" "${A_VERSION}")
    if(A_COPYRIGHT)
        list(APPEND keys NSHumanReadableCopyright)
        list(APPEND values "${A_COPYRIGHT}")
    endif()
    set(entries "")
    foreach(key value IN ZIP_LISTS keys values)
        string(REPLACE "&" "&amp;" value "${value}")
        string(REPLACE "<" "&lt;" value "${value}")
        string(REPLACE ">" "&gt;" value "${value}")
        string(APPEND entries "\t<key>${key}</key>\n\t<string>${value}</string>\n")
    endforeach()
    # The executable's file name is known at generation time only.
    string(APPEND entries "\t<key>CFBundleExecutable</key>\n\t<string>$<TARGET_FILE_NAME:${A_TARGET}></string>\n")
    file(GENERATE OUTPUT "${contents}/Info.plist" CONTENT
"<?xml version=\"1.0\" encoding=\"UTF-8\"?>
<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">
<plist version=\"1.0\">
<dict>
${entries}</dict>
</plist>
")

    set(outputs)
    foreach(lib IN LISTS A_BUNDLES)
        get_target_property(source ${lib}_bundle QUENBY_BUNDLE_SOURCE)
        get_target_property(files ${lib}_bundle QUENBY_BUNDLE_FILES)
        foreach(f IN LISTS files)
            file(RELATIVE_PATH rel "${source}" "${f}")
            set(out "${contents}/Resources/${lib}_${lib}.bundle/${rel}")
            add_custom_command(OUTPUT "${out}"
                COMMAND ${CMAKE_COMMAND} -E copy_if_different "${f}" "${out}"
                DEPENDS "${f}" VERBATIM)
            list(APPEND outputs "${out}")
        endforeach()
    endforeach()
    if(outputs)
        add_custom_target(${A_TARGET}_app_resources DEPENDS ${outputs})
        add_dependencies(${A_TARGET} ${A_TARGET}_app_resources)
    endif()
endfunction()
