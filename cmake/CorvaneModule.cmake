# corvane_module(NAME DEPS...) builds every .cpp of the current folder (not subfolders)
# into the static library corvane_NAME, linked to the given libraries.
function(corvane_module name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(corvane_${name} STATIC ${sources})
    target_include_directories(corvane_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(corvane_${name} PUBLIC ${ARGN})
  else()
    # A folder whose work has not begun yet holds headers only.
    add_library(corvane_${name} INTERFACE)
    target_include_directories(corvane_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(corvane_${name} INTERFACE ${ARGN})
  endif()
endfunction()

# corvane_unit_tests(NAME DEPS...) builds every .cpp of the current folder into one GoogleTest
# program, corvane_NAME_tests, whose tests CTest discovers.
function(corvane_unit_tests name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(corvane_${name}_tests ${sources})
  target_link_libraries(corvane_${name}_tests PRIVATE ${ARGN} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(corvane_${name}_tests PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(corvane_${name}_tests PRIVATE
    CORVANE_PROGRAM_FOLDER="${CORVANE_PROGRAM_FOLDER}/"
    CORVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(corvane_${name}_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS unit)
endfunction()

# corvane_program_files(PATHS...) records files that the build puts beside the program and that
# the program reads from there (sounds, help, stock games); they are installed beside it.
function(corvane_program_files)
  set_property(GLOBAL APPEND PROPERTY CORVANE_PROGRAM_FILES ${ARGN})
endfunction()
