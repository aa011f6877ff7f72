// PlScan: the two pending-URL lists on the left, mmuncheck (level 1) above MMscan (level 2),
// each with its pop-up menu "复制" / "浏览...".
#pragma once

#include <QListView>
#include <QSplitter>
#include <QWidget>
#include <functional>

#include "search/urunstate.h"
#include "search/uurlselection.h"
#include "search/wurlmodel.h"

namespace marvessa {

class UrlListView : public QListView, public PendingUrlSelection {
 public:
  UrlListView(const UrlQueue& queue, QWidget* parent);

  // The pop-up menu's commands.
  std::function<void()> onCopy;
  std::function<void()> onBrowse;

  std::vector<int> SelectedDisplayRows() const override;
  // The height the list starts with in its splitter; 0 for the default.
  void SetStartHeight(int height) { startHeight_ = height; }
  QSize sizeHint() const override;
  const UrlQueue& queue() const { return queue_; }
  UrlQueueModel* queueModel() const { return model_; }

 private:
  const UrlQueue& queue_;
  UrlQueueModel* model_;
  int startHeight_ = 0;
};

class SearchBoxes : public QWidget {
 public:
  static constexpr int kWidth = 150;
  static constexpr int kLevel1Height = 120;

  // Both list models observe the run's queues from here on; the owner ends that before the
  // run state goes away.
  SearchBoxes(RunState& run, QWidget* parent);

  // The width the panel starts with beside the page control.
  QSize sizeHint() const override { return {kWidth, QWidget::sizeHint().height()}; }

  UrlListView* mmuncheck() const { return mmuncheck_; }
  UrlListView* MMscan() const { return MMscan_; }

 private:
  UrlListView* mmuncheck_;
  UrlListView* MMscan_;
};

}  // namespace marvessa
