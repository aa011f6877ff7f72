#include "results/wlist.h"

namespace marvessa {

void ShowRecordDialog(bool, const RecordDialogParts&, QWidget*) {}

}  // namespace marvessa
