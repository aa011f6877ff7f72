#include "app/wanimate.h"

#include <QPainter>
#include <cmath>
#include <numbers>

namespace marvessa {

namespace {

constexpr int kFrameMs = 100;

}  // namespace

SearchAnimation::SearchAnimation(QWidget* parent) : QWidget(parent) {
  setFixedSize(kSide, kSide);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::black);
  setPalette(p);
  timer_.setInterval(kFrameMs);
  connect(&timer_, &QTimer::timeout, this, [this] {
    frame_ = (frame_ + 1) % kFrames;
    update();
  });
}

void SearchAnimation::SetRunning(bool running) {
  if (running == Running()) return;
  frame_ = running ? 0 : kStopFrame;
  if (running) {
    timer_.start();
  } else {
    timer_.stop();
  }
  update();
}

void SearchAnimation::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  // A page with text lines, and a magnifier circling over it frame by frame.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xf4, 0xf1, 0xe6));
  painter.drawRect(6, 4, 14, 19);
  painter.setPen(QPen(QColor(0x2a, 0x4a, 0x7f), 1));
  for (int y = 8; y < 22; y += 3) painter.drawLine(8, y, 18, y);
  const double angle = 2 * std::numbers::pi * frame_ / kFrames;
  const QPointF centre(15 + 5 * std::cos(angle), 14 + 5 * std::sin(angle));
  painter.setPen(QPen(QColor(0xc0, 0x39, 0x2b), 2));
  painter.setBrush(QColor(255, 255, 255, 90));
  painter.drawEllipse(centre, 5, 5);
  painter.setPen(QPen(QColor(0xc0, 0x39, 0x2b), 3, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(centre + QPointF(3.5, 3.5), centre + QPointF(8, 8));
}

}  // namespace marvessa
