#include "base/uMru.h"

#include "base/upath.h"
#include "base/utext.h"

namespace marvessa {

void TMru::ShowInMenu(bool shown) {
  shown_ = shown;
  if (!menu_) return;
  for (int i = 0; i < kEntries; ++i) menu_->SetEntryItemVisible(i, shown && !GetFile(i).empty());
  menu_->SetSeparatorVisible(shown);
}

void TMru::AddFile(const std::string& path) {
  if (!path.empty()) ShowInMenu(true);
  if (path == GetFile(0)) return;
  int found = -1;
  for (int k = 1; k < kEntries; ++k)
    if (GetFile(k) == path) found = k;
  if (found > 0) {
    const int slot = order_[found];
    for (int k = found; k > 0; --k) order_[k] = order_[k - 1];
    order_[0] = slot;
  } else {
    const int slot = order_[kEntries - 1];
    slots_[slot] = path;
    for (int k = kEntries - 1; k > 0; --k) order_[k] = order_[k - 1];
    order_[0] = slot;
  }
  if (shown_) UpdateItems();
}

void TMru::UpdateItems() {
  if (!menu_) return;
  for (int i = 0; i < kEntries; ++i) {
    const std::string path = GetFile(i);
    menu_->SetEntryItem(i, Caption(i, path), !path.empty());
  }
}

std::string TMru::Caption(int i, const std::string& path) {
  // A "&" in the name is doubled so that it shows instead of marking an access key.
  std::string caption = "&" + IntToText(i + 1) + " ";
  for (const char c : PathForDisplay(FileNamePart(path))) {
    caption += c;
    if (c == '&') caption += '&';
  }
  return caption;
}

}  // namespace marvessa
