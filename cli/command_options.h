#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "support/window.h"

// A control value that an option sets for one run, over the settings file's.
struct ControlValue {
  Control control;
  std::variant<std::string, bool, int> value;  // a text (GBK), a checked state, a selected index
};

enum class ReportFormat { csv, json };

// How this run uses the answer cache.
enum class CacheChoice {
  as_settings_say,  // [结果缓存] 启用
  off,              // --no-cache: neither read nor written
  refresh,          // --refresh: every sentence asked anew, its answer kept
};

struct CommandOptions {
  std::vector<std::filesystem::path> paths;  // article files and folders, as given
  std::optional<std::filesystem::path> settings_file;
  std::vector<ControlValue> control_values;  // in the order given, so the last one wins
  bool copy_originals = false;
  bool delete_checked = false;
  bool show_progress = true;
  std::optional<std::filesystem::path> report_file;
  ReportFormat report_format = ReportFormat::csv;
  CacheChoice cache = CacheChoice::as_settings_say;
  // --dry-run: what the run would cost, and no request at all.
  bool dry_run = false;
};

enum class CommandRequest { run, help, version };

struct ParsedCommand {
  CommandRequest request = CommandRequest::run;
  CommandOptions options;
  std::string error;  // one line, UTF-8; empty when the command line is good
};

// Reads `originality-check [options] PATH...`. Every value is checked here, so
// that a bad one stops the program before it touches anything.
ParsedCommand parse_command_line(int argc, char* argv[]);

// The text of --help, UTF-8.
std::string usage_text();
