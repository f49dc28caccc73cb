# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Lays the default settings file and the sample pictures beside the executable.
# Run as: cmake -DSOURCE=<resources> -DDEST=<folder of the executable> -P LayDownResources.cmake
if(NOT EXISTS "${DEST}/Korv.ini")
  file(COPY "${SOURCE}/Korv.ini" DESTINATION "${DEST}")
endif()
file(COPY "${SOURCE}/fond" DESTINATION "${DEST}")
