// The checks of the soil profile against the shaft before a run.
#pragma once

#include "program_data.h"
#include "user_messages.h"

namespace tolvane::app {

// True when the analysis may run; otherwise shows the first failed check as a warning.
bool CheckData(const TProgramData& data, UserMessages& messages);

}  // namespace tolvane::app
