// The recent-files list of the "文件(&F)" menu: the four documents used last, most recent first.
#pragma once

#include <array>
#include <string>

namespace marvessa {

// The four entry items and the separator after them in the file menu.
class MruMenu {
 public:
  virtual ~MruMenu() = default;
  // Entry item i (0..3, tag i) takes this caption and visibility.
  virtual void SetEntryItem(int i, const std::string& caption, bool visible) = 0;
  virtual void SetEntryItemVisible(int i, bool visible) = 0;
  virtual void SetSeparatorVisible(bool visible) = 0;
};

class TMru {
 public:
  static constexpr int kEntries = 4;

  void SetMenu(MruMenu* menu) { menu_ = menu; }
  void ShowInMenu(bool shown);
  // Records a use of path: it becomes entry 0 (a new path replaces the oldest entry).
  void AddFile(const std::string& path);
  // Entry i, 0 being the most recent; empty when that entry is free.
  std::string GetFile(int i) const { return slots_[order_[i]]; }

  // "&1 报价.mvx": the access digit and the file-name part of the native path (after its last
  // "/"), as GBK text.
  static std::string Caption(int i, const std::string& path);

 private:
  void UpdateItems();

  std::array<std::string, kEntries> slots_;
  std::array<int, kEntries> order_{0, 1, 2, 3};
  MruMenu* menu_ = nullptr;
  bool shown_ = true;
};

}  // namespace marvessa
