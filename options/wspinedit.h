// A spin box over a SpinValue: any text may be typed, the value is clamped when the box loses the
// focus, and the arrows step by one.
#pragma once

#include <QAbstractSpinBox>

#include "options/uoptions.h"

namespace marvessa {

class SpinEdit : public QAbstractSpinBox {
  Q_OBJECT

 public:
  SpinEdit(SpinControl& control, QWidget* parent);

  // Shows the control's text and enabled state.
  void ShowControl();
  void stepBy(int steps) override;

 protected:
  StepEnabled stepEnabled() const override;

 private:
  SpinControl& control_;
};

}  // namespace marvessa
