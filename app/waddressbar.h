// Pladdress: the address bar with the keyword box CBinput and the eight scope buttons of PlScope.
#pragma once

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <functional>
#include <string>

#include "search/ustatusline.h"

namespace marvessa {

class AddressBar : public QFrame, public ScopeButtons {
 public:
  static constexpr int kHeight = 50;
  static constexpr int kPresetCount = 78;

  explicit AddressBar(QWidget* parent);

  // Enter in the keyword box.
  std::function<void()> onEnter;
  // The user changed the keyword text or picked a scope.
  std::function<void()> onUserChange;

  std::string KeywordText() const;
  void SetKeywordText(const std::string& text);
  QComboBox* keywordBox() const { return CBinput_; }

  // ScopeButtons
  bool IsChecked(int button) const override;
  void Check(int button) override;
  QAbstractButton* scopeButton(int button) const { return scope_->button(button); }

 private:
  QComboBox* CBinput_;
  QButtonGroup* scope_;
};

}  // namespace marvessa
