# Shared CMake helpers: the version stamp of executables and the unit-test registration.

set(ZQ_VERSION_NOTE_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/VersionNote.cpp.in)

# Stamps the project version into TARGET as an ELF note that the program reads back as its file version.
function(zq_stamp_version TARGET)
    set(ZQ_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
    set(ZQ_VERSION_MINOR ${PROJECT_VERSION_MINOR})
    set(ZQ_VERSION_RELEASE ${PROJECT_VERSION_PATCH})
    set(ZQ_VERSION_BUILD ${PROJECT_VERSION_TWEAK})
    set(note ${CMAKE_BINARY_DIR}/generated/VersionNote.cpp)
    configure_file(${ZQ_VERSION_NOTE_TEMPLATE} ${note} @ONLY)
    target_sources(${TARGET} PRIVATE ${note})
    target_include_directories(${TARGET} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()

# add_unit_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2): one QtTest executable registered with CTest,
# stamped with the project version like the program, run offscreen so that widget tests need no display.
# The embedded browser's sandbox is off for tests, which may run as root (where Chromium refuses it).
function(add_unit_test NAME)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${NAME} ${ARG_SOURCES})
    target_link_libraries(${NAME} PRIVATE Qt6::Test ${ARG_LIBS})
    zq_stamp_version(${NAME})
    target_compile_definitions(${NAME} PRIVATE
        PROJECT_VERSION_MAJOR=${PROJECT_VERSION_MAJOR} PROJECT_VERSION_MINOR=${PROJECT_VERSION_MINOR}
        PROJECT_VERSION_PATCH=${PROJECT_VERSION_PATCH} PROJECT_VERSION_TWEAK=${PROJECT_VERSION_TWEAK})
    add_test(NAME ${NAME} COMMAND ${NAME})
    set_tests_properties(${NAME} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1"
        TIMEOUT 300)
endfunction()

# zq_add_library(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2): a static library of the tree; its headers are
# included from the top of the tree ("platform/data/DataTable.h").
function(zq_add_library NAME)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${NAME} STATIC ${ARG_SOURCES})
    target_include_directories(${NAME} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${NAME} PUBLIC ${ARG_LIBS})
endfunction()
