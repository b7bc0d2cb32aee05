#pragma once

#include <QString>

// What the window's links open. The program ships no web site, so every link
// opens one of the project's own documents or folders: each address exists.
namespace link_addresses {

// The project's description, README.md beside the sources.
QString readme();
// The project's folder: its sources, scripts and documents.
QString project_folder();
// The folder of the running program, which also holds 主配置.ini.
QString program_folder();

}  // namespace link_addresses
