# Helpers that keep the layering honest.
#
# Core libraries hold the rules of the system and link nothing but the standard library and
# other core libraries. Their narrow string literals are compiled to cp932, the code page of
# every file and document value, so Japanese texts can be written readably in UTF-8 source
# and still arrive as the bytes the files hold. Qt code (platform/, */app/, apps/) keeps UTF-8
# literals; never put a Japanese string literal in a core header, since a Qt file including it
# would see UTF-8 bytes.

set_property(GLOBAL PROPERTY RAVE_CORE_TARGETS "")

# Compilers that cannot encode literals as cp932 (clang, used for fuzzing) still build the core:
# the texts come out as UTF-8 there, which does not matter to a fuzzer looking for crashes.
include(CheckCXXCompilerFlag)
check_cxx_compiler_flag(-fexec-charset=CP932 RAVE_HAS_CP932_LITERALS)

function(rave_use_cp932_literals target)
    if(RAVE_HAS_CP932_LITERALS)
        target_compile_options(${target} PRIVATE -fexec-charset=CP932)
        target_compile_definitions(${target} PRIVATE RAVE_CP932_LITERALS=1)
    endif()
endfunction()

# Files named *_windows.cpp (and tests *_windows_test.cpp) are built for Windows only, *_posix.cpp
# (*_posix_test.cpp) everywhere else, so what the operating system does differently sits in files
# of its own instead of #ifdef through the code.
function(rave_keep_this_platforms_sources list)
    if(WIN32)
        list(FILTER ${list} EXCLUDE REGEX "_posix(_test)?\\.cpp$")
    else()
        list(FILTER ${list} EXCLUDE REGEX "_windows(_test)?\\.cpp$")
    endif()
    set(${list} ${${list}} PARENT_SCOPE)
endfunction()

# rave_core_library(NAME folder [DEPS core targets...])
# Globs the .cpp files of one folder. A folder without sources yet gives an interface target,
# so later work only adds files and never edits build scripts.
function(rave_core_library name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    rave_keep_this_platforms_sources(sources)
    if(sources)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name} PUBLIC ${ARG_DEPS})
        rave_use_cp932_literals(${name})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    endif()
    set_property(GLOBAL APPEND PROPERTY RAVE_CORE_TARGETS ${name})
endfunction()

# Walks the link graph of every core target and stops the configuration when Qt shows up.
function(_rave_collect_links target out)
    set(seen ${${out}})
    if(NOT TARGET ${target} OR target IN_LIST seen)
        set(${out} ${seen} PARENT_SCOPE)
        return()
    endif()
    list(APPEND seen ${target})
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        get_target_property(links ${target} INTERFACE_LINK_LIBRARIES)
    else()
        get_target_property(links ${target} LINK_LIBRARIES)
    endif()
    if(links)
        foreach(link ${links})
            _rave_collect_links(${link} seen)
        endforeach()
    endif()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(rave_check_core_has_no_qt)
    get_property(core GLOBAL PROPERTY RAVE_CORE_TARGETS)
    foreach(target ${core})
        set(all "")
        _rave_collect_links(${target} all)
        foreach(link ${all})
            if(link MATCHES "^Qt[0-9]*::" OR link STREQUAL "rave_platform")
                message(FATAL_ERROR "Core target ${target} links ${link}; the core must stay free of Qt")
            endif()
        endforeach()
    endforeach()
endfunction()

# rave_test(NAME folder LIBS ... [QT])
# One test program per folder under tests/, built from every .cpp there.
function(rave_test name)
    cmake_parse_arguments(ARG "QT" "" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
    rave_keep_this_platforms_sources(sources)
    if(NOT sources)
        return()
    endif()
    add_executable(test_${name} ${sources})
    target_link_libraries(test_${name} PRIVATE ${ARG_LIBS} rave_test_support GTest::gtest GTest::gtest_main)
    target_compile_definitions(test_${name} PRIVATE
        RAVE_SOURCE_DIR="${PROJECT_SOURCE_DIR}" RAVE_BINARY_DIR="${PROJECT_BINARY_DIR}")
    if(NOT ARG_QT)
        rave_use_cp932_literals(test_${name})
    endif()
    add_test(NAME ${name} COMMAND test_${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
