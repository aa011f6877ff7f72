// MStatusBar: the five panels of the status line at the bottom of the window.
#pragma once

#include <QLabel>
#include <QWidget>
#include <array>
#include <functional>

#include "search/ustatusline.h"

namespace marvessa {

class StatusLine : public QWidget, public StatusPanels {
 public:
  static constexpr int kHeight = 18;
  static constexpr int kPanels = 5;

  explicit StatusLine(QWidget* parent);

  // StatusPanels
  void SetPanelText(int panel, const std::string& text) override;

  // Gives the panels their widths for a window of this outer width.
  void LayOutPanels(int windowWidth);
  QLabel* panel(int i) const { return panels_[i]; }
  // A click on the status line.
  std::function<void()> onClick;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void PlacePanels();

  std::array<QLabel*, kPanels> panels_;
  std::array<int, kPanels> widths_{};
};

}  // namespace marvessa
