# corvane_module(NAME DEPS...) builds every .cpp of the current folder (not subfolders)
# into the static library corvane_NAME, linked to the given libraries.
#
# Headers keep their "module/x.h" spelling, but src/ is no include root: each module's headers are
# reached through a folder of the build tree that holds links to that module's headers only, and
# a module's include folder is handed on only to the targets that link it. A module therefore sees
# its own headers and those of the modules below it, and the build refuses any other include.
function(corvane_module name)
  corvane_stage_headers(${name} include_root)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(corvane_${name} STATIC ${sources})
    target_include_directories(corvane_${name} PUBLIC ${include_root})
    target_link_libraries(corvane_${name} PUBLIC ${ARGN})
  else()
    # A folder whose work has not begun yet holds headers only.
    add_library(corvane_${name} INTERFACE)
    target_include_directories(corvane_${name} INTERFACE ${include_root})
    target_link_libraries(corvane_${name} INTERFACE ${ARGN})
  endif()
endfunction()

# corvane_stage_headers(NAME OUT_ROOT) links the headers of the current folder (not subfolders)
# into <build>/include/NAME/<folder below src>/ and returns <build>/include/NAME in OUT_ROOT.
function(corvane_stage_headers name out_root)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  # Staged afresh at every configure, so that a removed header is gone here too.
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${folder})
  foreach(header ${headers})
    get_filename_component(file_name ${header} NAME)
    file(CREATE_LINK ${header} ${root}/${folder}/${file_name} SYMBOLIC)
  endforeach()
  set(${out_root} ${root} PARENT_SCOPE)
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
  target_include_directories(corvane_${name}_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
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
