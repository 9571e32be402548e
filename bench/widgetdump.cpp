// Preloaded into the program at build time (LD_PRELOAD), it writes, at the first frame, the C++
// statements that build the same window in plain Qt: the same kinds of widget at the same
// places, with the same captions, items, checks, colours and visibility, and the application's
// style, font and palette. quorvel_floor_window compiles them, so that the benchmark can show
// what the toolkit alone costs for this window. The file is named by QUORVEL_WIDGET_DUMP.

#include "support/firstframe.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTextStream>
#include <QTimer>
#include <array>
#include <cstdlib>

namespace {

const char* const dumpVariable = "QUORVEL_WIDGET_DUMP";
constexpr std::array colorGroups{QPalette::Active, QPalette::Disabled, QPalette::Inactive};

QString literal(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1String("\\"), QLatin1String("\\\\"));
    escaped.replace(QLatin1String("\""), QLatin1String("\\\""));
    escaped.replace(QLatin1String("\n"), QLatin1String("\\n"));
    return QLatin1String("QStringLiteral(\"") + escaped + QLatin1String("\")");
}

const char* kindOf(const QWidget* widget)
{
    if (qobject_cast<const QPushButton*>(widget)) {
        return "QPushButton";
    }
    if (qobject_cast<const QRadioButton*>(widget)) {
        return "QRadioButton";
    }
    if (qobject_cast<const QComboBox*>(widget)) {
        return "QComboBox";
    }
    if (qobject_cast<const QGroupBox*>(widget)) {
        return "QGroupBox";
    }
    if (qobject_cast<const QLabel*>(widget)) {
        return "QLabel";
    }
    if (qobject_cast<const QFrame*>(widget)) {
        return "QFrame";
    }
    return "QWidget";
}

class Writer {
public:
    explicit Writer(QTextStream& out) : out_(out) {}

    void application()
    {
        out_ << "QApplication::setStyle(QStringLiteral(\"" << QApplication::style()->name()
             << "\"));\n";
        const QFont font = QApplication::font();
        out_ << "{ QFont font(" << literal(font.family()) << ", " << font.pointSize()
             << "); font.setStyleHint(QFont::StyleHint(" << int(font.styleHint())
             << ")); QApplication::setFont(font); }\n";
        palette(QStringLiteral("QApplication"), QApplication::palette(), true);
    }

    void widget(QWidget* w, const QString& parent)
    {
        const QString v = QStringLiteral("w%1").arg(count_++);
        if (parent.isEmpty()) {
            out_ << "auto* " << v << " = new QWidget;\n";
            out_ << v << "->setFixedSize(" << w->width() << ", " << w->height() << ");\n";
            out_ << v << "->setWindowTitle(" << literal(w->windowTitle()) << ");\n";
        } else {
            const QRect g = w->geometry();
            out_ << "auto* " << v << " = new " << kindOf(w) << '(' << parent << ");\n";
            out_ << v << "->setGeometry(" << g.x() << ", " << g.y() << ", " << g.width() << ", "
                 << g.height() << ");\n";
        }
        contents(w, v);
        if (w->testAttribute(Qt::WA_SetPalette)) {
            palette(v, w->palette(), false);
        }
        if (w->autoFillBackground()) {
            out_ << v << "->setAutoFillBackground(true);\n";
        }
        if (!w->isEnabled() && (w->isWindow() || w->parentWidget()->isEnabled())) {
            out_ << v << "->setEnabled(false);\n";
        }
        if (!w->isWindow() && w->isHidden()) {
            out_ << v << "->hide();\n";
        }
        if (!qobject_cast<QComboBox*>(w)) {
            for (QObject* child : w->children()) {
                auto* childWidget = qobject_cast<QWidget*>(child);
                if (childWidget && !childWidget->isWindow()) {
                    widget(childWidget, v);
                }
            }
        }
        if (parent.isEmpty()) {
            out_ << v << "->show();\n";
        }
    }

private:
    void contents(QWidget* w, const QString& v)
    {
        if (auto* group = qobject_cast<QGroupBox*>(w)) {
            out_ << v << "->setTitle(" << literal(group->title()) << ");\n";
        }
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            out_ << v << "->setText(" << literal(button->text()) << ");\n";
            if (button->isChecked()) {
                out_ << v << "->setChecked(true);\n";
            }
        }
        if (auto* push = qobject_cast<QPushButton*>(w); push && push->isDefault()) {
            out_ << v << "->setDefault(true);\n";
        }
        if (auto* list = qobject_cast<QComboBox*>(w)) {
            out_ << v << "->addItems({";
            for (int i = 0; i < list->count(); ++i) {
                out_ << literal(list->itemText(i)) << ", ";
            }
            out_ << "});\n" << v << "->setCurrentIndex(" << list->currentIndex() << ");\n";
            out_ << v << "->setMaxVisibleItems(" << list->maxVisibleItems() << ");\n";
        }
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->pixmap().isNull()) {
                out_ << v << "->setText(" << literal(label->text()) << ");\n";
            } else {
                out_ << v << "->setPixmap(floorPicture(" << v << "));\n";
            }
            out_ << v << "->setAlignment(Qt::Alignment(" << int(label->alignment()) << "));\n";
            out_ << v << "->setWordWrap(" << (label->wordWrap() ? "true" : "false") << ");\n";
        }
        if (auto* frame = qobject_cast<QFrame*>(w)) {
            out_ << v << "->setFrameStyle(" << frame->frameStyle() << ");\n";
        }
    }

    // Only the colours set on the widget itself, as the program set them; the rest it inherits.
    void palette(const QString& v, const QPalette& palette, bool whole)
    {
        out_ << "{ QPalette p;\n";
        for (const auto group : colorGroups) {
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                const auto bit = QPalette::ResolveMask(1)
                                 << (int(group) * QPalette::NColorRoles + role);
                if (whole ? role == QPalette::NoRole : !(palette.resolveMask() & bit)) {
                    continue;
                }
                out_ << "p.setColor(QPalette::ColorGroup(" << int(group)
                     << "), QPalette::ColorRole(" << role << "), QColor::fromRgba(0x" << Qt::hex
                     << palette.color(group, QPalette::ColorRole(role)).rgba() << Qt::dec
                     << "));\n";
            }
        }
        out_ << v << (whole ? "::" : "->") << "setPalette(p); }\n";
    }

    QTextStream& out_;
    int count_ = 0;
};

void dumpWidgets()
{
    QFile file(qEnvironmentVariable(dumpVariable));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        qCritical("widgetdump: cannot write %s", qPrintable(file.fileName()));
        std::exit(EXIT_FAILURE);
    }
    QTextStream out(&file);
    Writer writer(out);
    writer.application();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            writer.widget(window, QString());
        }
    }
    out.flush();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void installDump()
{
    quorvel::support::atFirstFrame(dumpWidgets);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installDump)
