#include "app/wstatusline.h"

#include "app/ulayout.h"
#include "base/wqttext.h"

namespace marvessa {

StatusLine::StatusLine(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("MStatusBar"));
  setFixedHeight(kHeight);
  const char16_t* const initial[kPanels] = {u"就绪", u" ", u"未搜索:0", u"已搜索:0", u"邮址:0"};
  for (int i = 0; i < kPanels; ++i) {
    panels_[i] = new QLabel(QString::fromUtf16(initial[i]), this);
    panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panels_[i]->setIndent(2);
  }
}

void StatusLine::SetPanelText(int panel, const std::string& text) { panels_[panel]->setText(FromGbk(text)); }

void StatusLine::LayOutPanels(int windowWidth) {
  widths_ = StatusPanelWidths(windowWidth);
  PlacePanels();
}

void StatusLine::resizeEvent(QResizeEvent*) { PlacePanels(); }

void StatusLine::mousePressEvent(QMouseEvent*) {
  if (onClick) onClick();
}

// Left to right, each panel as wide as laid out.
void StatusLine::PlacePanels() {
  int x = 0;
  for (int i = 0; i < kPanels; ++i) {
    panels_[i]->setGeometry(x, 0, widths_[i], height());
    x += widths_[i];
  }
}

}  // namespace marvessa
