#include "app/batch_dialogs.h"

#include <QFileDialog>
#include <QStringList>

#include "app/native_path.h"
#include "app/qt_text.h"

std::vector<std::filesystem::path> pick_files_with_dialog(const std::string& title,
                                                          const std::vector<std::string>& filters) {
  QStringList filter_list;
  for (const std::string& filter : filters) filter_list << qstring_from_gbk(filter);
  std::vector<std::filesystem::path> paths;
  for (const QString& file : QFileDialog::getOpenFileNames(nullptr, qstring_from_gbk(title), QString(),
                                                           filter_list.join(QStringLiteral(";;")))) {
    paths.push_back(native_path(file));
  }
  return paths;
}

std::optional<std::filesystem::path> pick_folder_with_dialog(const std::string& prompt,
                                                             const std::filesystem::path& start_folder) {
  const QString folder =
      QFileDialog::getExistingDirectory(nullptr, qstring_from_gbk(prompt), qstring_from_path(start_folder));
  if (folder.isEmpty()) return std::nullopt;
  return native_path(folder);
}
