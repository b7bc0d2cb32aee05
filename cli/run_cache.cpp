#include "cli/run_cache.h"

#include "cli/settings_location.h"
#include "support/cache_settings.h"

std::optional<CachedAnswers> answer_cache_for_run(Window& window, const CommandOptions& options) {
  if (options.cache == CacheChoice::off) return std::nullopt;
  const SettingsLocation location = window_programs_settings_location();
  const CacheSettings settings = read_cache_settings(options.settings_file.value_or(location.file_to_load()));
  // Asked for on the command line: the answers are kept whatever 启用 says.
  if (!settings.enabled && options.cache != CacheChoice::refresh) return std::nullopt;
  std::filesystem::path settings_in_use = options.settings_file.value_or(location.settings_file);
  if (!options.settings_file) {
    // As the window program makes it at its start; a failure is the cache's warning.
    std::error_code not_made;
    std::filesystem::create_directories(location.folder(), not_made);
  }
  const CachedAnswers::Use use =
      options.cache == CacheChoice::refresh ? CachedAnswers::Use::keep_only : CachedAnswers::Use::recall_and_keep;
  return std::optional<CachedAnswers>(std::in_place, window, cache_file_beside(settings_in_use), settings, use);
}
