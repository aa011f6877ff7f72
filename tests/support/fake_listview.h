// A pending-URL list box's selection and the status panels, as tests see them. The customer-list
// view with its selection and sort menu is part of FakeWindow.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "results/ulistcommands.h"

namespace marvessa::test {

class FakePendingSelection : public PendingUrlSelection {
 public:
  std::vector<int> SelectedDisplayRows() const override { return rows; }
  std::vector<int> rows;
};

class FakePanels : public StatusPanels {
 public:
  void SetPanelText(int panel, const std::string& text) override {
    texts[panel] = text;
    ++writes;
  }
  std::map<int, std::string> texts;
  int writes = 0;
};

}  // namespace marvessa::test
