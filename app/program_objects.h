#pragma once

#include <filesystem>

#include "check/random_seeder.h"
#include "check/report_folder.h"
#include "check/text_expressions.h"
#include "support/profile_store.h"

// The objects that live as long as the program: the settings store bound to the
// configuration file, the report folder beside it, the four expressions of the article check, the random
// seeder with its program-wide counter, and the flag that ends the current run.
struct ProgramObjects {
  explicit ProgramObjects(std::filesystem::path configuration)
      : configuration_path(std::move(configuration)), reports(configuration_path.parent_path()) {
    settings_store.open_profile(configuration_path);
  }

  std::filesystem::path configuration_path;
  ProfileStore settings_store;
  // Beside the settings file, wherever that is bound.
  ReportFolder reports;
  TextExpressions expressions;
  RandomSeeder seeder;
  bool stop_requested = false;
};
