#pragma once

#include "services/services.h"

namespace korvo::platform {

// The wall clock of the machine, in local time.
LocalTime systemLocalTime();

}  // namespace korvo::platform
