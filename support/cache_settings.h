#pragma once

#include <filesystem>
#include <string_view>

// The answer cache's settings: the section [结果缓存] of 主配置.ini. They are
// read when present and never written, so a saved 主配置.ini keeps them as the
// user wrote them and holds nothing new when they are absent.
inline constexpr std::string_view kCacheSection = "结果缓存";
// The cache's file, beside the 主配置.ini in use.
inline constexpr char kCacheFileName[] = "结果缓存.sqlite";

struct CacheSettings {
  bool enabled = true;  // 启用
  // How long an answer stands for a new query. An engine that has a sentence keeps
  // it; one that lacks it may find a copy tomorrow.
  double indexed_days = 30;     // 收录保留天数
  double not_indexed_days = 2;  // 未收录保留天数
};

// The settings in `settings_file`; a missing file, section or key gives the default.
// 启用 is off exactly when it says "假"; a days value that is not a number reads as 0.
CacheSettings read_cache_settings(const std::filesystem::path& settings_file);

// The cache file that goes with a 主配置.ini.
std::filesystem::path cache_file_beside(const std::filesystem::path& settings_file);
