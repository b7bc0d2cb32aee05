#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

class Window;

// The files directly in `folder` whose names match `pattern` (GBK, the text of
// 编辑框过滤; empty means "*.*"; see NamePattern), as full paths sorted by name.
// Every entry that is not a folder counts, hidden ones included; subfolders are
// not searched. Pending window events run after every entry, so a large folder
// keeps the window alive. A folder that cannot be read gives an empty list.
std::vector<std::filesystem::path> list_folder_files(Window& window, const std::filesystem::path& folder,
                                                     std::string_view pattern);
