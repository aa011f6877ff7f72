// The main window's commands and check items as the core enables and ticks them, and the page
// switch between the customer list and the batch keywords.
#pragma once

namespace marvessa {

enum class Command {
  // Search
  ASbegin,
  AScontinue,
  ASend,
  // Customer-list commands, enabled only on page 0
  AEcopy,
  AEinsert,
  AEUpdate,
  AEDelete,
  AESelectall,
  AEclear,
  NEfont,
  // Page items of the View menu
  NVlist,
  NVkeywords,
};

class CommandView {
 public:
  virtual ~CommandView() = default;
  virtual void SetCommandEnabled(Command command, bool enabled) = 0;
  virtual void SetCommandChecked(Command command, bool checked) = 0;
  virtual void SetKeywordBoxEnabled(bool enabled) = 0;
  // Makes page 0 (customer list) or 1 (batch keywords) the shown page of the page control.
  virtual void ShowPageControl(int page) = 0;
  virtual void SetAnimationRunning(bool running) = 0;
};

// Shows page n, ticks its View-menu item and enables the customer-list commands exactly on
// page 0.
void ShowPage(CommandView& view, int page);

}  // namespace marvessa
