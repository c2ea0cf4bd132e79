#include "ui/find_text_window.h"

// Placeholder while the window is being built.
namespace trawlex::ui {

bool RunFindTextWindow(QWidget*, runtime::Desktop&, const std::filesystem::path&,
                       results::FindRecord& find) {
  find.findLen = 0;
  return false;
}

}  // namespace trawlex::ui
