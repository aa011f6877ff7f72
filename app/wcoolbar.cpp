#include "app/wcoolbar.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace marvessa {

CoolBar::CoolBar(const MainActions& a, QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("MCoolBar"));
  setFrameShape(QFrame::StyledPanel);
  setFrameShadow(QFrame::Raised);
  toolBar_ = new QToolBar(this);
  toolBar_->setObjectName(QStringLiteral("MToolBar"));
  toolBar_->setMovable(false);
  toolBar_->setFloatable(false);
  toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  toolBar_->setIconSize(QSize(16, 16));
  for (QAction* action : {a.AFnew, a.AFOpen, a.AFsave, a.AFexport, static_cast<QAction*>(nullptr), a.AEUpdate,
                          a.AEDelete, static_cast<QAction*>(nullptr), a.ASbegin, a.AScontinue, a.ASend,
                          static_cast<QAction*>(nullptr), a.AVoptions, a.AHhomepage}) {
    if (!action) {
      toolBar_->addSeparator();
      continue;
    }
    toolBar_->addAction(action);
    toolBar_->widgetForAction(action)->setFixedSize(kButtonWidth, kButtonHeight);
  }
  animation_ = new SearchAnimation(this);
  animation_->setObjectName(QStringLiteral("MAnimate"));

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 1, 2, 1);
  layout->addWidget(toolBar_);
  layout->addStretch();
  layout->addWidget(animation_, 0, Qt::AlignVCenter);
}

}  // namespace marvessa
