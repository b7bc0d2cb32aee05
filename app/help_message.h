#pragma once

#include <string>

// The operating help shown by the help picture and link: GBK lines joined by
// CR LF, without a line break at the end.
std::string help_message_text();
