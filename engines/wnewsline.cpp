#include "engines/wnewsline.h"

#include <QMouseEvent>

#include "base/wqttext.h"

namespace marvessa {

NewsLine::NewsLine(QWidget* parent) : QLabel(parent) {
  setObjectName(QStringLiteral("PLmsg"));
  setFrameShape(QFrame::NoFrame);
  setCursor(Qt::PointingHandCursor);
  setTextFormat(Qt::PlainText);
  QPalette p = palette();
  p.setColor(QPalette::WindowText, Qt::blue);
  setPalette(p);
}

void NewsLine::SetNewsCaption(const std::string& caption) { setText(FromGbk(caption)); }

// The link is the panel's hint, as the user sees it on hovering.
void NewsLine::SetNewsLink(const std::string& link) {
  link_ = link;
  setToolTip(FromGbk(link));
}

void NewsLine::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick) onClick(link_);
  QLabel::mouseReleaseEvent(event);
}

}  // namespace marvessa
