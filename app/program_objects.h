#pragma once

#include <filesystem>

#include "support/profile_store.h"
#include "support/regex_object.h"

// The objects that live as long as the program: the settings store bound to the
// configuration file, and the four expressions of the article check.
struct ProgramObjects {
  explicit ProgramObjects(std::filesystem::path configuration)
      : configuration_path(std::move(configuration)) {
    settings_store.open_profile(configuration_path);
  }

  std::filesystem::path configuration_path;
  ProfileStore settings_store;
  RegexObject cleaning_expression;
  RegexObject delimiter_expression;
  RegexObject trim_expression;
  RegexObject tag_expression;
};
