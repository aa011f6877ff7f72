// The five panels of the status line and the scope buttons, as the core writes and reads them.
#pragma once

#include <string>

namespace marvessa {

class RunState;

class StatusPanels {
 public:
  virtual ~StatusPanels() = default;
  // Panel 0 activity, 1 elapsed time, 2 pending URLs, 3 fetched pages, 4 addresses.
  virtual void SetPanelText(int panel, const std::string& text) = 0;
};

void ShowStatus(StatusPanels& panels, const std::string& text);
// "时间: " and the seconds; an empty panel for 0.
void ShowElapsed(StatusPanels& panels, int seconds);
// Panels 4, 3 and 2, in this order, from the queues, the fetch count and the row count.
void ShowTotals(StatusPanels& panels, const RunState& state, int rows);

// The eight scope buttons RBlang0 .. RBlang7; exactly one is checked.
class ScopeButtons {
 public:
  virtual ~ScopeButtons() = default;
  virtual bool IsChecked(int button) const = 0;
  virtual void Check(int button) = 0;
};

// The number of the checked button, tested from 7 down to 1; 0 when none of them is checked.
int SelectedScope(const ScopeButtons& buttons);
// Checks button n for 1..7 and button 0 for any other value.
void SelectScope(ScopeButtons& buttons, int n);

}  // namespace marvessa
