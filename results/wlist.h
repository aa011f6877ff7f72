// The record dialog Tdlglist: a customer-list row typed in ("增加") or looked at and changed ("属性").
#pragma once

#include <QWidget>

#include "app/umessages.h"
#include "results/udocstate.h"
#include "results/ulistcommands.h"
#include "results/ulistscroller.h"
#include "results/uresults.h"

namespace marvessa {

struct RecordDialogParts {
  ResultList& results;
  ResultSelection& selection;
  ListScroller& scroller;
  DocumentState& document;
  MessageBoxes& messages;
};

// Creates the dialog in insert or properties mode, shows it modally and destroys it when it closes.
void ShowRecordDialog(bool insertMode, const RecordDialogParts& parts, QWidget* parent);

}  // namespace marvessa
