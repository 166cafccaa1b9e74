#include "ui/qt/Images.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initImagesResource() { Q_INIT_RESOURCE(images); }

namespace tc {

void registerImages() {
    static const bool done = (initImagesResource(), true);
    (void)done;
}

}  // namespace tc
