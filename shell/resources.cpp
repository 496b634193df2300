#include "shell/resources.h"

#include <QtCore/qglobal.h>

// Outside any namespace, as Qt's macro requires. Calling it also keeps the
// linker from dropping the resources out of the static library.
static void InitPalabrumResources() { Q_INIT_RESOURCE(palabrum); }

namespace palabrum {

void InitResources() { InitPalabrumResources(); }

}  // namespace palabrum
