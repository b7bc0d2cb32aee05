#include "support/cache_settings.h"

#include "support/gbk.h"
#include "support/profile_store.h"

CacheSettings read_cache_settings(const std::filesystem::path& settings_file) {
  ProfileStore store;
  store.open_profile(settings_file, gbk(kCacheSection));
  const CacheSettings defaults;
  return {.enabled = store.read_bool_lenient(gbk("启用"), defaults.enabled),
          .indexed_days = store.read_number(gbk("收录保留天数"), defaults.indexed_days),
          .not_indexed_days = store.read_number(gbk("未收录保留天数"), defaults.not_indexed_days)};
}

std::filesystem::path cache_file_beside(const std::filesystem::path& settings_file) {
  return settings_file.parent_path() / kCacheFileName;
}
