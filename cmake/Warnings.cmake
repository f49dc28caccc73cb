# korvo_warnings: the warning set every target of the project compiles with.
add_library(korvo_warnings INTERFACE)
target_compile_options(korvo_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow=local
                       -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Wunused)
if(KORVO_WERROR)
  target_compile_options(korvo_warnings INTERFACE -Werror)
endif()
