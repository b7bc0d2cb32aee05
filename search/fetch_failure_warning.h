#pragma once

#include <string_view>

#include "support/window.h"

struct FetchedPage;

// The warnings that end a run when an engine (named by its UTF-8 caption) gave no
// page to read. Each says what helps with its own cause, and only a failure of the
// network points to the network.

// The fetch failed even after the retries: the reason in plain words, and for a
// failure of the network or a server error the network and proxy settings.
Message fetch_failure_warning(std::string_view engine_caption, const FetchedPage& page, int retries);

// The engine took the program for a robot: browser mode, waiting or another IP helps.
Message verification_warning(std::string_view engine_caption);

// The engine answers only a browser that runs the page's scripts: browser mode helps.
Message script_only_warning(std::string_view engine_caption);
