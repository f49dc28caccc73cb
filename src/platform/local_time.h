#pragma once

#include "services/local_time.h"

namespace korvo::platform {

// The wall clock of the machine, in local time.
LocalTime systemLocalTime();

}  // namespace korvo::platform
