// MAnimate: the 30 × 30 animation on black that runs while a search run is in progress.
#pragma once

#include <QTimer>
#include <QWidget>
#include <string>

namespace marvessa {

// There is no video player among the program's dependencies, so an animation file
// ("work.avi") cannot be played: the widget always plays its own built-in animation, a
// magnifier sweeping over a page, and only remembers the file it was given.
class SearchAnimation : public QWidget {
 public:
  static constexpr int kSide = 30;
  static constexpr int kFrames = 12;

  explicit SearchAnimation(QWidget* parent = nullptr);

  void SetSource(const std::string& aviPath) { source_ = aviPath; }
  const std::string& Source() const { return source_; }
  // Starts from the first frame; stopping shows the stop frame.
  void SetRunning(bool running);
  bool Running() const { return timer_.isActive(); }
  int Frame() const { return frame_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  static constexpr int kStopFrame = 8;

  QTimer timer_;
  int frame_ = kStopFrame;
  std::string source_;
};

}  // namespace marvessa
