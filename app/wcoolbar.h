// MCoolBar: the band bar at the top of the window, with the tool bar MToolBar in band 1 and the
// animation MAnimate in band 2.
#pragma once

#include <QFrame>
#include <QToolBar>
#include <QWidget>

#include "app/wactions.h"
#include "app/wanimate.h"

namespace marvessa {

class CoolBar : public QFrame {
 public:
  static constexpr int kButtonWidth = 43;
  static constexpr int kButtonHeight = 35;

  CoolBar(const MainActions& actions, QWidget* parent);

  QToolBar* toolBar() const { return toolBar_; }
  SearchAnimation* animation() const { return animation_; }

 private:
  QToolBar* toolBar_;
  SearchAnimation* animation_;
};

}  // namespace marvessa
