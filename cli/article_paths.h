#pragma once

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

class Window;

// The article files named by the command's PATHs, in order: a file as itself, a
// folder as its files that match the pattern of 编辑框过滤 (as the folder batch
// lists them). Paths come out absolute, so the originals folder lies beside the
// first file wherever the command was started, and a file named more than once
// comes out once, where it was first named. Else the first PATH that does not
// exist or cannot be read, as a one-line reason (UTF-8); nothing has been
// touched then.
std::variant<std::vector<std::filesystem::path>, std::string> article_files(
    Window& window, const std::vector<std::filesystem::path>& paths);
