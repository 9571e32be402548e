// The bare Qt 6 window Quorvel's start-up is compared with: one label, the toolkit's defaults.

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Quorvel"));
    label.show();
    return QApplication::exec();
}
