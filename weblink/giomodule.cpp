// The GIO browser platform as a module of its own, loaded by the program on the first click of
// the web link.

#include "weblink/gioplatform.h"
#include "weblink/modulebrowserplatform.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT quorvel::BrowserPlatform* quorvelCreateBrowserPlatform()
{
    return new quorvel::GioPlatform;
}
