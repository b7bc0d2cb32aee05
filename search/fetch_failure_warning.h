#pragma once

#include <string_view>

#include "support/window.h"

struct FetchedPage;

// The warning shown when an engine could not be asked even after the retries. It
// names the engine (its UTF-8 caption) and the reason in plain words, and points to
// the network and proxy settings.
Message fetch_failure_warning(std::string_view engine_caption, const FetchedPage& page, int retries);
