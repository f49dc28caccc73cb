# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# korvo_warnings: the warning set every target of the project compiles with, chosen per compiler
# so that GCC, clang and mingw-w64 all build with -Werror.
add_library(korvo_warnings INTERFACE)
target_compile_options(korvo_warnings INTERFACE -Wall -Wextra -Wpedantic -Wnon-virtual-dtor
                       -Wold-style-cast -Wcast-align -Wunused)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # Locals shadowing locals are the mistakes worth catching; members shadowed by constructor
  # parameters are not.
  target_compile_options(korvo_warnings INTERFACE -Wshadow=local)
elseif(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  target_compile_options(korvo_warnings INTERFACE -Wshadow-uncaptured-local)
endif()
if(KORVO_WERROR)
  target_compile_options(korvo_warnings INTERFACE -Werror)
endif()
