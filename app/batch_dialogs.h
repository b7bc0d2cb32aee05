#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Qt's file dialogs for the two batches, without owner window. Text in and out
// of the core is GBK; the chosen paths are the file system's own bytes.

// Several existing files; the first filter is active. Empty when cancelled.
std::vector<std::filesystem::path> pick_files_with_dialog(const std::string& title,
                                                          const std::vector<std::string>& filters);

// One existing folder, the browser opening at `start_folder` (at the working
// folder when empty). Nothing when cancelled.
std::optional<std::filesystem::path> pick_folder_with_dialog(const std::string& prompt,
                                                             const std::filesystem::path& start_folder);
