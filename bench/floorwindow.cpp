// The toolkit's floor for Quorvel's window: the same widgets as the program shows at its first
// frame, of the same kinds, at the same places, with the same captions, items, checks and
// colours, built in plain Qt with none of the program's own work. widgetdump writes the
// statements that build them from the running program; the benchmark starts this window
// beside the program and the bare one.

#include "window/pictureresource.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

const char* const logoResource = ":/logo.pixels";

// The logo as the program shows it at 100 %, its cheapest.
QPixmap floorPicture(const QWidget* label)
{
    return QPixmap::fromImage(quorvel::readRawPixels(QString::fromLatin1(logoResource),
                                                     label->size(), QImage::Format_RGB32));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
#include "floorwidgets.inc"
    return QApplication::exec();
}
