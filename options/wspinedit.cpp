#include "options/wspinedit.h"

#include <QLineEdit>

#include "base/wqttext.h"

namespace marvessa {

SpinEdit::SpinEdit(SpinControl& control, QWidget* parent) : QAbstractSpinBox(parent), control_(control) {
  connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) { control_.SetText(ToGbk(text)); });
  // Emitted when the box loses the focus and when Return is pressed in it.
  connect(this, &QAbstractSpinBox::editingFinished, this, [this] {
    control_.FocusLost();
    ShowControl();
  });
  ShowControl();
}

void SpinEdit::ShowControl() {
  const QString text = FromGbk(control_.Text());
  if (lineEdit()->text() != text) lineEdit()->setText(text);
  setEnabled(control_.enabled);
}

void SpinEdit::stepBy(int steps) {
  control_.Step(steps);
  ShowControl();
  selectAll();
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const {
  if (!control_.HasRange()) return StepUpEnabled | StepDownEnabled;
  const int value = control_.Value();
  StepEnabled steps = StepNone;
  if (value < control_.Max()) steps |= StepUpEnabled;
  if (value > control_.Min()) steps |= StepDownEnabled;
  return steps;
}

}  // namespace marvessa
