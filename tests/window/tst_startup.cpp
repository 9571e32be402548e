#include "support/formprobe.h"
#include "window/colors.h"
#include "window/linklabel.h"

#include <QDate>
#include <QFontMetrics>
#include <QScopeGuard>
#include <QStyle>
#include <QStyleOptionButton>

using namespace quorvel;
using test::FormProbe;

namespace {

// A control's selection, text or caption, and for a list its items, in one comparable text.
QString describe(QWidget* w)
{
    if (auto* list = qobject_cast<PickList*>(w)) {
        const QStringList items = list->items();
        if (items.isEmpty()) {
            return list->text() + "|";
        }
        return QString("%1|%2..%3#%4")
            .arg(list->text(), items.first(), items.last())
            .arg(items.size());
    }
    if (auto* option = qobject_cast<QRadioButton*>(w)) {
        return option->isChecked() ? "selected" : "-";
    }
    if (auto* frame = qobject_cast<QGroupBox*>(w)) {
        return frame->title();
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        return button->text() + (button->isDefault() ? " (default)" : "");
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
        return label->text();
    }
    return {};
}

// A dark desktop scheme as a theme gives it to the application before the window is built.
constexpr QRgb darkDesktopButton = qRgb(49, 54, 59);
constexpr QRgb darkDesktopWindow = qRgb(42, 46, 50);
// An unavailable option or label is drawn paler than this; available captions are black.
constexpr int unavailableTextLightness = 128;
// The dot of a chosen option against the empty circle of an unchosen one.
constexpr int indicatorContrast = 96;

// The lightness of the darkest pixel a control draws, its caption and indicator alike.
int darkestLightness(QWidget* w)
{
    const QImage image = w->grab().toImage();
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            darkest = std::min(darkest, image.pixelColor(x, y).lightness());
        }
    }
    return darkest;
}

int indicatorCentreLightness(QRadioButton* option)
{
    QStyleOptionButton o;
    o.initFrom(option);
    const QRect r = option->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &o, option);
    return option->grab().toImage().pixelColor(r.center()).lightness();
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void createdState();
    void firstShownState_data();
    void firstShownState();
    void variablesAfterStartUp();
    void timersAfterStartUp();
    void listColours_data();
    void listColours();
    void unavailableLookUnderDesktopSchemes_data();
    void unavailableLookUnderDesktopSchemes();
    void captionsFitTheirControls();
    void resultCaptionsFitTheResultLabel_data();
    void resultCaptionsFitTheResultLabel();
    void enterRunsTheCalculationShownOnly();
    void systemColoursFollowTheStandardScheme_data();
    void systemColoursFollowTheStandardScheme();
    void linkLabelRunsTheWebLinkOncePerActivation();
};

void StartupTest::createdState()
{
    QuorvelForm form(QuorvelForm::Start::Later);
    FormProbe p(form);
    QCOMPARE(form.windowTitle(), QString("Quorvel"));
    QCOMPARE(form.size(), QSize(640, 367));
    for (auto* option : form.findChildren<QRadioButton*>()) {
        QVERIFY2(!option->isChecked(), qPrintable(option->objectName()));
    }
    for (auto* list : form.findChildren<PickList*>()) {
        QCOMPARE(list->count(), 0);
        QCOMPARE(list->text(), QString());
    }
    for (auto* w : form.findChildren<QWidget*>()) {
        if (!w->objectName().isEmpty()) {
            QVERIFY2(!w->isHidden() && w->isEnabled(), qPrintable(w->objectName()));
        }
    }
    QVERIFY(p.button("calculateEddButton")->isDefault());
    QCOMPARE(form.variables().flashCountEdd, 0);
    QCOMPARE(form.variables().dobFlashMuted, false);
}

void StartupTest::firstShownState_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("state");

    const QString months = "January..December#12";
    const QString years = "1980..2020#41";
    const auto row = [](const char* name, bool shown, bool enabled, const QString& state) {
        QTest::newRow(name) << QString(name) << shown << enabled << state;
    };
    row("modeFrame", true, true, "Mode");
    row("lmpOption", true, true, "-");
    row("ultrasoundOption", true, true, "selected");
    row("lmpOrScanDateFrame", true, true, "Date of Ultrasound scan");
    row("lmpOrScanMonth", true, true, "January|" + months);
    row("lmpOrScanDay", true, true, "1|1..31#31");
    row("lmpOrScanYear", true, true, "2000|" + years);
    row("scanDataFrame", true, true, "Scan data");
    row("fetalBiometryOption", true, true, "selected");
    row("derivedGestationOption", true, true, "-");
    row("derivedWeeks", true, false, "18|7..22#16");
    row("derivedDays", true, false, "0|0..6#7");
    row("derivedWeeksLabel", true, false, "Weeks");
    row("derivedDaysLabel", true, false, "Days");
    row("measurementFrame", true, true, "Measurement");
    row("crlOption", true, true, "-");
    row("bpdOption", true, true, "selected");
    row("hcOption", true, true, "-");
    row("measurementValue", true, true, "37|20..55#36");
    row("mmLabel", true, true, "mm");
    row("questionFrame", false, true, "");
    row("yesOption", false, true, "-");
    row("noOption", false, true, "selected");
    row("questionLabel", false, true, "Calculate length of gestation at birth?");
    row("birthDateFrame", false, true, "Date of birth");
    row("birthMonth", false, true, "October|" + months);
    row("birthDay", false, true, "1|1..31#31");
    row("birthYear", false, true, "2000|" + years);
    row("eddFrame", false, true, "EDD");
    row("eddResult", false, true, "Label2");
    row("gestationFrame", false, true, "Gestation at birth");
    row("gestationResult", false, true, "Label3");
    row("calculateEddButton", true, true, "Calculate EDD (default)");
    row("calculateGestationButton", false, true, "Calculate gestation");
    row("restartButton", true, true, "Cancel and RESTART");
    row("logoLabel", true, true, "");
    row("makersLink", true, true, "www.quorvel.org");
    row("linkUnderline", true, true, "");
}

void StartupTest::firstShownState()
{
    QFETCH(QString, control);
    QFETCH(bool, shown);
    QFETCH(bool, enabled);
    QFETCH(QString, state);

    QuorvelForm form;
    FormProbe p(form);
    const QByteArray name = control.toUtf8();
    QCOMPARE(p.shown(name), shown);
    QCOMPARE(p.ownEnabled(name), enabled);
    QCOMPARE(describe(p.get(name)), state);
}

void StartupTest::variablesAfterStartUp()
{
    const QDate d = QDate::currentDate();
    const Date today{std::chrono::year{d.year()} / d.month() / d.day()};
    QuorvelForm form;
    const auto& v = form.variables();
    QCOMPARE(v.eddDate, today);
    QCOMPARE(v.dobDate, today);
    QCOMPARE(v.scanGestDays, 0.0);
    QCOMPARE(v.scanDaysToEdd, 0);
    QCOMPARE(v.flashCountYes, 0);
    QCOMPARE(v.flashCountGest, 0);
    QCOMPARE(v.flashCountEdd, 0);
    QCOMPARE(v.dobFlashMuted, false);
}

void StartupTest::timersAfterStartUp()
{
    QuorvelForm form;
    FormProbe p(form);
    for (const char* name : {"yesFlash", "gestationFlash", "eddFlash"}) {
        QVERIFY2(p.timer(name)->isEnabled(), name);
        QCOMPARE(p.timer(name)->interval(), 100);
    }
}

void StartupTest::listColours_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<quint32>("afterStartUp");
    QTest::addColumn<quint32>("derivedGestation");
    QTest::addColumn<quint32>("lmpBased");

    for (const char* date : {"lmpOrScanMonth", "lmpOrScanDay", "lmpOrScanYear", "birthMonth",
                             "birthDay", "birthYear"}) {
        QTest::newRow(date) << QString(date) << lightPink << lightPink << lightPink;
    }
    QTest::newRow("measurementValue") << QString("measurementValue") << inputBackColor
                                      << unavailableBackColor << unavailableBackColor;
    for (const char* scan : {"derivedWeeks", "derivedDays"}) {
        QTest::newRow(scan) << QString(scan) << unavailableBackColor << inputBackColor
                            << unavailableBackColor;
    }
}

void StartupTest::listColours()
{
    QFETCH(QString, list);
    QFETCH(quint32, afterStartUp);
    QFETCH(quint32, derivedGestation);
    QFETCH(quint32, lmpBased);

    QuorvelForm form;
    FormProbe p(form);
    auto* l = p.list(list.toUtf8());
    QCOMPARE(l->backColor(), afterStartUp);
    QCOMPARE(l->palette().color(QPalette::Button), colorFromValue(afterStartUp));
    p.choose("derivedGestationOption");
    QCOMPARE(l->backColor(), derivedGestation);
    p.choose("lmpOption");
    QCOMPARE(l->backColor(), lmpBased);
}

void StartupTest::unavailableLookUnderDesktopSchemes_data()
{
    QTest::addColumn<QPalette>("desktop");
    QTest::newRow("light desktop") << QApplication::palette();
    QTest::newRow("dark desktop") << QPalette(QColor(darkDesktopButton), QColor(darkDesktopWindow));
}

void StartupTest::unavailableLookUnderDesktopSchemes()
{
    QFETCH(QPalette, desktop);
    const QPalette before = QApplication::palette();
    const auto restore = qScopeGuard([&before] { QApplication::setPalette(before); });
    QApplication::setPalette(desktop);

    QuorvelForm form;
    FormProbe p(form);
    p.choose("lmpOption");
    for (const char* name : {"fetalBiometryOption", "derivedGestationOption", "crlOption",
                             "bpdOption", "hcOption", "derivedWeeksLabel", "derivedDaysLabel"}) {
        QVERIFY2(darkestLightness(p.get(name)) > unavailableTextLightness, name);
    }
    const int chosen = indicatorCentreLightness(p.option("lmpOption"));
    const int unchosen = indicatorCentreLightness(p.option("ultrasoundOption"));
    QVERIFY2(unchosen - chosen >= indicatorContrast,
             qPrintable(QString("indicator centres %1 and %2").arg(chosen).arg(unchosen)));
}

void StartupTest::captionsFitTheirControls()
{
    QuorvelForm form;
    for (auto* w : form.findChildren<QWidget*>()) {
        const QFontMetrics metrics(w->font());
        QString caption;
        int room = w->width();
        if (auto* option = qobject_cast<QRadioButton*>(w)) {
            caption = option->text();
            room -=
                option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option) +
                option->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, option);
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            caption = button->text();
        } else if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap()) {
            caption = label->text();
        }
        if (!caption.isEmpty()) {
            QVERIFY2(metrics.horizontalAdvance(caption) <= room, qPrintable(w->objectName()));
            QVERIFY2(metrics.height() <= w->height(), qPrintable(w->objectName()));
        }
    }
    auto* question = FormProbe(form).get<QLabel>("questionLabel");
    const QFontMetrics metrics(question->font());
    const QRect wrapped = metrics.boundingRect(QRect(0, 0, question->width(), 1000),
                                               Qt::TextWordWrap, question->text());
    QCOMPARE(wrapped.height() / metrics.lineSpacing(), 2);
    QVERIFY(wrapped.height() <= question->height());
}

void StartupTest::resultCaptionsFitTheResultLabel_data()
{
    QTest::addColumn<QString>("caption");
    QTest::newRow("longest EDD") << "30 September 2021";
    QTest::newRow("longest gestation") << "100 weeks 6 days";
    QTest::newRow("birth before pregnancy")
        << QString::fromUtf8(birthBeforePregnancyCaption.data(),
                             static_cast<qsizetype>(birthBeforePregnancyCaption.size()));
}

void StartupTest::resultCaptionsFitTheResultLabel()
{
    QFETCH(QString, caption);
    QuorvelForm form;
    auto* label = FormProbe(form).get<QLabel>("gestationResult");
    QVERIFY(QFontMetrics(label->font()).horizontalAdvance(caption) < label->contentsRect().width());
}

void StartupTest::enterRunsTheCalculationShownOnly()
{
    QuorvelForm form;
    FormProbe p(form);
    form.show();
    p.pressEnter();
    QVERIFY(p.shown("eddFrame"));
    QCOMPARE(p.text("eddResult"), QString("12 June 2000"));

    // Neither calculation's button is shown now, and no button has the focus: Enter runs nothing.
    p.get<QLabel>("eddResult")->setText("unchanged");
    p.pressEnter();
    QCOMPARE(p.text("eddResult"), QString("unchanged"));

    p.choose("yesOption");
    QVERIFY(p.button("calculateGestationButton")->isDefault());
    QVERIFY(!p.button("calculateEddButton")->isDefault());
    p.pressEnter();
    QVERIFY(p.shown("gestationFrame"));
    QCOMPARE(p.text("gestationResult"), QString("40 weeks 0 days"));
}

void StartupTest::systemColoursFollowTheStandardScheme_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("direct value is blue-green-red") << quint32{0x00C0E0FF} << QColor(255, 224, 192);
    QTest::newRow("dark red") << darkRed << QColor(192, 0, 0);
    QTest::newRow("blue") << blue << QColor(0, 0, 255);
    QTest::newRow("scroll bar differs from button face") << scrollBarColor << QColor(200, 200, 200);
    QTest::newRow("button face") << buttonFaceColor << QColor(240, 240, 240);
    QTest::newRow("title-bar text is white") << titleTextColor << QColor(255, 255, 255);
    QTest::newRow("window text is black") << windowTextColor << QColor(0, 0, 0);
}

void StartupTest::systemColoursFollowTheStandardScheme()
{
    QFETCH(quint32, value);
    QFETCH(QColor, colour);
    QCOMPARE(colorFromValue(value), colour);
}

void StartupTest::linkLabelRunsTheWebLinkOncePerActivation()
{
    QuorvelForm form;
    FormProbe p(form);
    form.show();
    auto* link = p.get<LinkLabel>("makersLink");
    QTest::mouseClick(link, Qt::LeftButton); // before a handler is set: nothing happens

    int opened = 0;
    form.setWebLinkHandler([&opened] { ++opened; });
    QTest::mouseClick(link, Qt::LeftButton);
    QTest::mouseClick(link, Qt::RightButton);
    QCOMPARE(opened, 1);
    QTest::keyClick(link, Qt::Key_Space);
    QCOMPARE(opened, 2);
    // The underline runs along the label's bottom edge, across its start.
    auto* line = p.get("linkUnderline");
    QCOMPARE(line->geometry().top(), link->geometry().bottom());
    QCOMPARE(line->geometry().left(), link->geometry().left());
}

QUORVEL_WINDOW_TEST_MAIN(StartupTest)
#include "tst_startup.moc"
