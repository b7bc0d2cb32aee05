#pragma once

#include "support/settings_location.h"

// Where this program keeps 主配置.ini (support/settings_location.h), for the
// folder of the running program and this process's environment. Needs the
// application object.
SettingsLocation settings_location_of_this_program();
