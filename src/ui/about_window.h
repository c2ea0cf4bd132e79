#pragma once
// The About window, which also greets the user as the splash window at start-up: it closes
// itself after fifteen seconds, or earlier when the search dialogue is first used.

#include <QDialog>

namespace trawlex::ui {

class AboutWindow final : public QDialog {
 public:
  explicit AboutWindow(QWidget* parent = nullptr);

  static constexpr int kLifetimeMs = 15000;
};

}  // namespace trawlex::ui
