# The compiler and linker flags Debian builds its packages with, from dpkg-buildflags, with all of
# its hardening: fortified functions, the stack protector, format checks, and relocations made
# read-only and bound at start. Optimisation and debug information stay the build type's. Only for
# optimised builds without the sanitizers or coverage, whose flags these would fight.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
set(corvane_optimised RelWithDebInfo Release MinSizeRel)
if(DPKG_BUILDFLAGS AND CMAKE_BUILD_TYPE IN_LIST corvane_optimised AND NOT CORVANE_SANITIZE
   AND NOT CMAKE_CXX_FLAGS MATCHES "--coverage")
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all ${DPKG_BUILDFLAGS}
              --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(O.*|g.*)$")
    if(kind STREQUAL "LDFLAGS")
      add_link_options(${flags})
    else()
      add_compile_options(${flags})
    endif()
  endforeach()
endif()
