# One set of compiler warnings for every library and program of the project: each target links
# korvalinde_strikt. -Wshadow catches a local that hides a member or an outer name, -Wold-style-cast
# a C cast that would convert silently where a named cast says what is meant. With KORVALINDE_WERROR
# (on in CI) a warning fails the build.
add_library(korvalinde_strikt INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(korvalinde_strikt INTERFACE -Wall -Wextra -Wshadow -Wold-style-cast)
  if(KORVALINDE_WERROR)
    target_compile_options(korvalinde_strikt INTERFACE -Werror)
  endif()
endif()
