#pragma once

#include <filesystem>

#include "check/random_seeder.h"
#include "check/report_folder.h"
#include "check/text_expressions.h"
#include "support/cache_settings.h"
#include "support/profile_store.h"
#include "support/settings_location.h"

// The objects that live as long as the program: the settings store bound to the
// configuration file, the report folder beside it, the four expressions of the article check, the random
// seeder with its program-wide counter, and the flag that ends the current run.
struct ProgramObjects {
  explicit ProgramObjects(std::filesystem::path configuration)
      : ProgramObjects(SettingsLocation{std::move(configuration), std::nullopt}) {}
  explicit ProgramObjects(const SettingsLocation& location)
      : configuration_path(location.settings_file),
        reports(configuration_path.parent_path()),
        cache_settings(read_cache_settings(location.file_to_load())) {
    settings_store.open_profile(configuration_path);
    loading_store.open_profile(location.file_to_load());
  }

  std::filesystem::path configuration_path;
  ProfileStore settings_store;
  // Beside the settings file, wherever that is bound.
  ReportFolder reports;
  // Read once at start from the file the settings are loaded from; the window
  // never writes them.
  CacheSettings cache_settings;
  // Where the settings are loaded from at start: the configuration file, or a
  // shipped one as the defaults while the configuration file does not exist yet.
  ProfileStore loading_store;
  TextExpressions expressions;
  RandomSeeder seeder;
  bool stop_requested = false;
};
