#pragma once

#include <optional>
#include <string>
#include <string_view>

struct Engine;

// The text strictly between the first start marker of the GBK page and the next end
// marker after it, ignoring the case of ASCII letters; '' in a marker stands for a
// double quote. When that is empty, the cut is tried once more with the double
// quotes left out of both markers: pages also write attribute values bare.
std::string cut_region(std::string_view page, std::string_view start_marker, std::string_view end_marker);

// The engine's result list cut out of the page, with its markup still in it;
// nothing when no marker pair of the engine cuts a list out of it.
std::optional<std::string> cut_result_list(const Engine& engine, std::string_view page);
