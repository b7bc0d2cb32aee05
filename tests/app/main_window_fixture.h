#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/program_objects.h"
#include "support/window.h"
#include "tests/testsupport/temp_dir.h"

// A main window whose 主配置.ini lies in a fresh folder. Message boxes are
// recorded and answered with `answer`; addresses are recorded instead of opened.
class MainWindowTest : public testing::Test {
 protected:
  // What run_event_loop returns when the loop has not ended after 30 s.
  static constexpr int kStillRunning = 99;

  // Runs the application's event loop, as the program does, with `first` as its
  // first event; returns the loop's exit code. A loop that does not end fails the
  // test rather than hanging it.
  static int run_event_loop(const std::function<void()>& first) {
    QTimer::singleShot(0, first);
    QTimer hang_guard;
    hang_guard.setSingleShot(true);
    QObject::connect(&hang_guard, &QTimer::timeout, [] { QCoreApplication::exit(kStillRunning); });
    hang_guard.start(30000);
    return QApplication::exec();
  }

  std::filesystem::path configuration_path() const { return folder / "主配置.ini"; }

  // Creates the window (which loads the settings) on `configuration`.
  MainWindow& open_window(const std::filesystem::path& configuration) {
    return open_window(SettingsLocation{configuration, std::nullopt});
  }
  MainWindow& open_window(const SettingsLocation& location) {
    main_window_.reset();
    objects_ = std::make_unique<ProgramObjects>(location);
    main_window_ = std::make_unique<MainWindow>(*objects_);
    main_window_->window().set_message_answerer([this](const Message& message) {
      messages.push_back(message);
      if (on_message) on_message(message);
      return answer;
    });
    main_window_->events().set_address_opener([this](const std::string& address) {
      opened.push_back(address);
      return opener_found;
    });
    return *main_window_;
  }
  MainWindow& open_window() { return open_window(configuration_path()); }

  Window& window() { return main_window_->window(); }
  QtWindow& qt_window() { return main_window_->window(); }
  MainForm& form() { return main_window_->form(); }
  WindowEvents& events() { return main_window_->events(); }
  ProgramObjects& objects() { return *objects_; }

  TempDir folder;
  std::vector<Message> messages;
  std::function<void(const Message&)> on_message;  // sees each box while it is open
  MessageAnswer answer = MessageAnswer::ok;
  std::vector<std::string> opened;
  bool opener_found = true;  // whether the desktop has a program to open an address

 private:
  std::unique_ptr<ProgramObjects> objects_;
  std::unique_ptr<MainWindow> main_window_;
};
