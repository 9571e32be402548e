#include "window/appicon.h"

#include <QDir>
#include <QFileInfo>

namespace quorvel {

namespace {
// Where the assets resource keeps the icon's renderings, one file a size.
const char* const iconResourceDir = ":/icons";
} // namespace

QIcon applicationIcon()
{
    QIcon icon;
    const QDir dir(QString::fromUtf8(iconResourceDir));
    for (const QFileInfo& file : dir.entryInfoList(QDir::Files)) {
        icon.addFile(file.filePath());
    }
    return icon;
}

} // namespace quorvel
