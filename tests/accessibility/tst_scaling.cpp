// The window at the screen scale it runs at (CTest runs it at 100 % and 200 %): captions fit
// their controls, no two controls overlap, the logo shows its drawing's pixels, enough to stay
// sharp, and the underline stays under the link.

#include "support/formprobe.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QImageReader>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

using namespace quorvel;
using test::FormProbe;

class ScalingTest : public QObject {
    Q_OBJECT

private slots:
    void captionFits_data();
    void captionFits();
    void noControlsOverlap_data();
    void noControlsOverlap();
    void logoHasThePixelsOfItsPlace();
    void underlineStaysUnderTheLink();
};

namespace {

// The layout puts the measurement list and its "mm" one pixel into each other; a seam that
// narrow hides nothing.
constexpr int seamPixels = 1;

// Every control shown: an EDD calculated and Yes answered, then the gestation calculated.
void showEverything(QuorvelForm& form, const FormProbe& p)
{
    form.show();
    p.click("calculateEddButton");
    p.choose("yesOption");
    p.click("calculateGestationButton");
}

int textWidth(const QWidget* w, const QString& text)
{
    return QFontMetrics(w->font()).horizontalAdvance(text);
}

} // namespace

void ScalingTest::captionFits_data()
{
    QTest::addColumn<QString>("control");
    for (const char* name : {"calculateEddButton",
                             "restartButton",
                             "calculateGestationButton",
                             "lmpOption",
                             "ultrasoundOption",
                             "fetalBiometryOption",
                             "derivedGestationOption",
                             "crlOption",
                             "bpdOption",
                             "hcOption",
                             "yesOption",
                             "noOption",
                             "questionLabel",
                             "lmpOrScanMonthLabel",
                             "lmpOrScanDayLabel",
                             "lmpOrScanYearLabel",
                             "derivedWeeksLabel",
                             "derivedDaysLabel",
                             "mmLabel",
                             "birthMonthLabel",
                             "birthDayLabel",
                             "birthYearLabel",
                             "eddResult",
                             "gestationResult",
                             "makersLink",
                             "modeFrame",
                             "lmpOrScanDateFrame",
                             "scanDataFrame",
                             "measurementFrame",
                             "birthDateFrame",
                             "eddFrame",
                             "gestationFrame",
                             "lmpOrScanMonth",
                             "lmpOrScanDay",
                             "lmpOrScanYear",
                             "measurementValue",
                             "derivedWeeks",
                             "derivedDays",
                             "birthMonth",
                             "birthDay",
                             "birthYear"}) {
        QTest::newRow(name) << name;
    }
}

void ScalingTest::captionFits()
{
    QFETCH(QString, control);

    QuorvelForm form;
    FormProbe p(form);
    showEverything(form, p);
    QWidget* w = p.get(control.toUtf8().constData());
    const QFontMetrics fm(w->font());

    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        // The room the style leaves for the text beside the indicator or inside the bevel.
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const bool radio = qobject_cast<QRadioButton*>(button) != nullptr;
        const QRect room = button->style()->subElementRect(radio ? QStyle::SE_RadioButtonContents
                                                                 : QStyle::SE_PushButtonContents,
                                                           &option, button);
        const int needed = textWidth(button, button->text());
        QVERIFY2(needed <= room.width(),
                 qPrintable(QString("needs %1 px, has %2").arg(needed).arg(room.width())));
        QVERIFY(fm.height() <= button->height());
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        const QRect room = label->contentsRect();
        if (label->wordWrap()) {
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                     "the wrapped text is taller than its label");
        } else {
            QVERIFY2(textWidth(label, label->text()) <= room.width(),
                     qPrintable(QString("\"%1\" needs %2 px, has %3")
                                    .arg(label->text())
                                    .arg(textWidth(label, label->text()))
                                    .arg(room.width())));
            QVERIFY(fm.height() <= room.height());
        }
    } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
        // The title sits on the frame's top edge, indented by the style's frame width.
        const int indent = frame->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) * 2;
        QVERIFY2(indent + textWidth(frame, frame->title()) <= frame->width(),
                 qPrintable(frame->title()));
    } else if (auto* list = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.editable = false;
        option.frame = true;
        const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxEditField, list);
        for (int i = 0; i < list->count(); ++i) {
            QVERIFY2(textWidth(list, list->itemText(i)) <= field.width(),
                     qPrintable(list->itemText(i) + " is cut"));
        }
        QVERIFY(fm.height() <= field.height());

        // Opened, the list shows each item whole beside its scroll bar (an item view leaves
        // the text a focus-frame margin and a pixel each side); a month list the whole year.
        list->showPopup();
        QAbstractItemView* view = list->view();
        const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
        for (int i = 0; i < list->count(); ++i) {
            QVERIFY2(textWidth(view, list->itemText(i)) + 2 * margin <= view->viewport()->width(),
                     qPrintable(list->itemText(i) + " is cut in the open list"));
        }
        if (control.endsWith("DateM")) {
            QCOMPARE(view->verticalScrollBar()->maximum(), 0);
        }
        list->hidePopup();
    } else {
        QFAIL("not a captioned control");
    }
}

void ScalingTest::noControlsOverlap_data()
{
    QTest::addColumn<QString>("container");
    for (const char* name :
         {"QuorvelForm", "modeFrame", "lmpOrScanDateFrame", "scanDataFrame", "measurementFrame",
          "questionFrame", "birthDateFrame", "eddFrame", "gestationFrame"}) {
        QTest::newRow(name) << name;
    }
}

void ScalingTest::noControlsOverlap()
{
    QFETCH(QString, container);

    QuorvelForm form;
    FormProbe p(form);
    showEverything(form, p);
    QWidget* parent = container == form.objectName() ? &form : p.get(container.toUtf8().data());

    QList<QWidget*> shown;
    for (auto* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisibleTo(&form)) {
            shown << child;
        }
    }
    QVERIFY(shown.size() >= 1);
    for (qsizetype i = 0; i < shown.size(); ++i) {
        for (qsizetype j = i + 1; j < shown.size(); ++j) {
            const QStringList pair = {shown[i]->objectName(), shown[j]->objectName()};
            // The underline is drawn on the link's bottom edge on purpose.
            if (pair.contains("linkUnderline") && pair.contains("makersLink")) {
                continue;
            }
            const QRect both = shown[i]->geometry().intersected(shown[j]->geometry());
            QVERIFY2(both.isEmpty() || qMin(both.width(), both.height()) <= seamPixels,
                     qPrintable(pair.join(" overlaps ")));
        }
    }
}

void ScalingTest::logoHasThePixelsOfItsPlace()
{
    QuorvelForm form;
    form.show();
    auto* logo = FormProbe(form).get<QLabel>("logoLabel");
    // Stretched up to more device pixels than it has, a picture blurs.
    const QSize devicePixels = logo->size() * logo->devicePixelRatio();
    const QPixmap picture = logo->pixmap();
    QVERIFY2(picture.width() >= devicePixels.width() && picture.height() >= devicePixels.height(),
             qPrintable(QString("%1x%2 pixels stretched to %3x%4")
                            .arg(picture.width())
                            .arg(picture.height())
                            .arg(devicePixels.width())
                            .arg(devicePixels.height())));
    // The pixels the build wrote out for the window are the drawing's own, in their order.
    const QString drawing = QStringLiteral(QUORVEL_LOGO_DIR "/logo%1.png")
                                .arg(logo->devicePixelRatio() > 1 ? "@2x" : "");
    const QImage drawn = QImageReader(drawing).read().convertToFormat(QImage::Format_RGB32);
    QVERIFY2(!drawn.isNull(), qPrintable(drawing));
    QCOMPARE(picture.toImage().convertToFormat(QImage::Format_RGB32), drawn);
}

void ScalingTest::underlineStaysUnderTheLink()
{
    QuorvelForm form;
    FormProbe p(form);
    form.show();
    auto* link = p.get<QLabel>("makersLink");
    auto* line = p.get<QFrame>("linkUnderline");
    const QFontMetrics fm(link->font());

    // The text is left-aligned and centred upright in the label.
    const int textTop = link->y() + (link->height() - fm.height()) / 2;
    const int baseline = textTop + fm.ascent();
    QVERIFY2(line->y() >= baseline, "the line crosses the letters");
    QVERIFY2(line->y() <= link->geometry().bottom(), "the line falls away from the link");
    QCOMPARE(line->x(), link->x());
    QVERIFY2(textWidth(link, link->text()) <= line->width(),
             "the address runs past the end of its underline");
}

QUORVEL_WINDOW_TEST_MAIN(ScalingTest)

#include "tst_scaling.moc"
