// PLmsg: the one-line news panel over the page control's tab row; a click opens its link.
#pragma once

#include <QLabel>
#include <functional>
#include <string>

#include "engines/uupdate.h"

namespace marvessa {

class NewsLine : public QLabel, public NewsLineView {
 public:
  explicit NewsLine(QWidget* parent);

  // A click, with the link (GBK) shown at that moment.
  std::function<void(const std::string&)> onClick;

  // NewsLineView
  void SetNewsCaption(const std::string& caption) override;
  void SetNewsLink(const std::string& link) override;
  const std::string& link() const { return link_; }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::string link_;
};

}  // namespace marvessa
