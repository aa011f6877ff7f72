#include "options/woptions.h"

namespace marvessa {

void ShowOptionsDialog(Settings&, const Folders&, QWidget*) {}

}  // namespace marvessa
