#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The parts of a batch file's path, split at the last "/". Paths are native
// bytes; only the title and the path shown, which the window shows and the
// engine searches, are GBK.

// The path before the last "/"; empty when there is none ("/a.txt" gives empty
// too, so folder + "/" + name puts a name back in the root).
std::filesystem::path directory_of(const std::filesystem::path& path);

// The path after the last "/"; the whole path when there is none.
std::filesystem::path file_name_of(const std::filesystem::path& path);

// The file name up to its last "."; the whole name when it has none, empty for
// ".txt". As GBK text (see gbk_from_native).
std::string title_of(const std::filesystem::path& path);

// A native path as GBK text. Each of its parts between "/" that is UTF-8 is
// converted, with "?" for every character GBK lacks; any other part is taken
// for GBK bytes already, as names from Windows disks and archives are.
std::string gbk_from_native(std::string_view native);

// A native path as UTF-8 text, for files written in UTF-8: the parts that are
// UTF-8 stay as they are, any other part is read as GBK.
std::string utf8_from_native(std::string_view native);

// `file_name` as the `number`-th file of that name, in the usual desktop form:
// "x.txt" gives "x(2).txt", "x" gives "x(2)", and number 1 the name itself. A
// name that would pass the 255 bytes a name may have loses whole characters
// before the "(2)".
std::filesystem::path numbered_file_name(const std::filesystem::path& file_name, int number);
