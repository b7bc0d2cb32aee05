#pragma once

#include <QString>

// What the window's links open. The program ships no web site, so every link
// opens one of the project's own documents or folders: each address exists.
namespace link_addresses {

// The project's description, README.md beside the sources (installed: in the
// package's documentation folder).
QString readme();
// The project's folder: its sources, scripts and documents (installed: the
// package's documentation folder).
QString project_folder();
// The screenshot of this window in the project's documents.
QString screenshot();
// The folder that holds 主配置.ini: the program's own, or the user's when the
// program's cannot be written.
QString settings_folder();

}  // namespace link_addresses
