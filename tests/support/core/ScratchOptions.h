#pragma once
#include "support/core/TempFolder.h"  // scratchOptions() and runningUnderWine() live beside the folder they use
