#include "search/ustatusline.h"

#include <algorithm>

#include "base/utext.h"
#include "search/urunstate.h"

namespace marvessa {

void ShowStatus(StatusPanels& panels, const std::string& text) { panels.SetPanelText(0, text); }

void ShowElapsed(StatusPanels& panels, int seconds) {
  panels.SetPanelText(1, seconds == 0 ? std::string() : "时间: " + IntToText(seconds));
}

void ShowTotals(StatusPanels& panels, const RunState& state, int rows) {
  const int fetched = state.PagesFetched();
  const long long pending = static_cast<long long>(state.Level1().Count()) + state.Level2().Count() - fetched;
  panels.SetPanelText(4, "邮址:" + IntToText(rows));
  panels.SetPanelText(3, "已搜索:" + IntToText(fetched));
  panels.SetPanelText(2, "未搜索:" + IntToText(std::max(0LL, pending)));
}

int SelectedScope(const ScopeButtons& buttons) {
  for (int b = 7; b >= 1; --b)
    if (buttons.IsChecked(b)) return b;
  return 0;
}

void SelectScope(ScopeButtons& buttons, int n) { buttons.Check(n >= 1 && n <= 7 ? n : 0); }

}  // namespace marvessa
