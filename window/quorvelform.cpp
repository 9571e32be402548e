#include "window/quorvelform.h"

#include "core/gestation.h"
#include "window/accessiblenames.h"
#include "window/colors.h"
#include "window/intervaltimer.h"
#include "window/linklabel.h"
#include "window/makerssite.h"
#include "window/picklist.h"
#include "window/resultlabel.h"

#include <QDate>
#include <QFrame>
#include <QGroupBox>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>

namespace quorvel {

namespace {

constexpr int twipsPerPixel = 15;
constexpr int clientWidth = 9600;
constexpr int clientHeight = 5505;

constexpr int flashInterval = 100; // milliseconds
constexpr int flashToggles = 4;

constexpr int firstListedYear = 1980;
constexpr int lastListedYear = 2020;
constexpr int firstListedWeek = 7;
constexpr int lastListedWeek = 22;
constexpr int firstListedDay = 0;
constexpr int lastListedDay = 6;
constexpr int monthsInYear = 12;

const char* const windowCaption = "Quorvel";
const char* const yesCaption = "Yes";
const char* const questionCaption = "Calculate length of gestation at birth?";
const char* const calcEddCaption = "Calculate EDD";
const char* const calcGestCaption = "Calculate gestation";
const char* const lmpDateCaption = "Date of LMP";
const char* const scanDateCaption = "Date of Ultrasound scan";
const char* const logoResource = ":/logo.png";
const char* const doubleSizeLogoResource = ":/logo@2x.png";
const char* const logoFormat = "png";

const char* const presetWeeks = "18";
const char* const presetDays = "0";
const char* const presetScanMonth = "January";
const char* const presetDay = "1";
const char* const presetYear = "2000";
const char* const presetBirthMonth = "October";
const char* const leapDayText = "29";
const char* const lastFebruaryDayText = "28";

struct MeasurementList {
    Measurement kind;
    int first;
    int last;
    int step;
    const char* preset;
};

constexpr std::array<MeasurementList, 3> measurementLists = {{
    {Measurement::CrownRumpLength, 10, 56, 1, "33"},
    {Measurement::BiparietalDiameter, 20, 55, 1, "37"},
    {Measurement::HeadCircumference, 75, 195, 5, "135"},
}};

int pixels(int twips)
{
    return twips / twipsPerPixel;
}

QString text(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

void fillNumbers(PickList* list, int first, int last, int step = 1)
{
    for (int i = first; i <= last; i += step) {
        list->addItemText(QString::number(i));
    }
}

// The text colour is that of an available control: an unavailable one keeps the palette's
// disabled text, so that it is drawn in the toolkit's unavailable look.
void setColors(QWidget* widget, ColorValue back, ColorValue fore)
{
    QPalette p = widget->palette();
    for (const auto role : {QPalette::Window, QPalette::Button}) {
        p.setColor(role, colorFromValue(back));
    }
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            p.setColor(group, role, colorFromValue(fore));
        }
    }
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

// A list that takes input shows the unavailable colour while unavailable; the date lists keep
// their own colour either way.
ColorValue unavailableColorOf(ColorValue back)
{
    return back == inputBackColor ? unavailableBackColor : back;
}

Date today()
{
    const QDate d = QDate::currentDate();
    return Date{std::chrono::year{d.year()} / d.month() / d.day()};
}

// A year item goes in its place among the ascending years; it runs nothing.
void listYear(PickList* years, int year)
{
    const QString yearText = QString::number(year);
    if (years->findText(yearText) >= 0) {
        return;
    }
    int index = 0;
    while (index < years->count() && years->itemText(index).toInt() < year) {
        ++index;
    }
    years->insertItemText(index, yearText);
}

// Day items up to `day` are added at the end; they run nothing.
void listDay(PickList* days, int day)
{
    for (int i = days->count() + 1; i <= day; ++i) {
        days->addItemText(QString::number(i));
    }
}

} // namespace

struct QuorvelForm::ControlSpec {
    const char* name;
    ControlMember member;
    QGroupBox* QuorvelForm::*container; // nullptr: the window itself
    const char* caption;
    int left, top, width, height; // twips
    ColorValue back = buttonFaceColor;
    ColorValue fore = buttonTextColor;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    bool border = false;
    bool wrap = false;
};

const std::array<QuorvelForm::ControlSpec, 44>& QuorvelForm::controlTable()
{
    using Q = QuorvelForm;
    constexpr auto centred = Qt::AlignHCenter | Qt::AlignVCenter;
    constexpr auto listText = windowTextColor;
    static const std::array<ControlSpec, 44> table = {{
        // Directly on the window; frames come before what they hold.
        {"ComCalcEDD", &Q::ComCalcEDD, nullptr, calcEddCaption, 7440, 3720, 1935, 315},
        {"ComRestart", &Q::ComRestart, nullptr, "Cancel and RESTART", 7440, 4920, 1935, 315},
        {"ComCalcGest", &Q::ComCalcGest, nullptr, calcGestCaption, 7440, 4200, 1935, 315},
        {"DDVal", &Q::DDVal, nullptr, "", 5400, 2160, 735, 315, inputBackColor, listText},
        {"FrameLS", &Q::FrameLS, nullptr, "Mode", 240, 150, 2655, 1215},
        {"FrameCBH", &Q::FrameCBH, nullptr, "Measurement", 3000, 1500, 2175, 1545},
        {"Labmm", &Q::Labmm, nullptr, "mm", 6120, 2205, 375, 255},
        {"FrameEDD", &Q::FrameEDD, nullptr, "EDD", 600, 4500, 2295, 735},
        {"FrameGest", &Q::FrameGest, nullptr, "Gestation at birth", 3000, 4500, 2295, 735},
        {"FrameQDOB", &Q::FrameQDOB, nullptr, "", 240, 3150, 2655, 1215},
        {"FrameDate", &Q::FrameDate, nullptr, "Frame1", 3000, 150, 3375, 1215},
        {"FrameDOB", &Q::FrameDOB, nullptr, "Date of birth", 3000, 3150, 3375, 1215},
        {"FrameUS", &Q::FrameUS, nullptr, "Scan data", 240, 1500, 2655, 1545},
        {"livelink", &Q::livelink, nullptr, "", 8040, 2760, 1455, 255, activeBorderColor, blue},
        {"Image1", &Q::Image1, nullptr, "", 6600, 120, 2820, 2505},
        {"Line1", &Q::Line1, nullptr, "", 8040, 3000, 1320, twipsPerPixel, blue, blue},
        // Mode.
        {"OptLMP", &Q::OptLMP, &Q::FrameLS, "LMP-based", 360, 360, 1575, 255},
        {"OptUS", &Q::OptUS, &Q::FrameLS, "Ultrasound-based", 360, 720, 1575, 255},
        // Date of the LMP or of the scan.
        {"DDLSDateM", &Q::DDLSDateM, &Q::FrameDate, "", 165, 615, 1215, 315, lightPink, listText},
        {"DDLSDateD", &Q::DDLSDateD, &Q::FrameDate, "", 1605, 600, 735, 315, lightPink, listText},
        {"DDLSDateY", &Q::DDLSDateY, &Q::FrameDate, "", 2490, 600, 735, 315, lightPink, listText},
        {"LabLSDateM", &Q::LabLSDateM, &Q::FrameDate, "Month", 240, 360, 855, 255, buttonFaceColor,
         buttonTextColor, centred},
        {"LabLSDateD", &Q::LabLSDateD, &Q::FrameDate, "Day", 1440, 360, 855, 255, buttonFaceColor,
         buttonTextColor, centred},
        {"LabLSDateY", &Q::LabLSDateY, &Q::FrameDate, "Year", 2325, 360, 855, 255, buttonFaceColor,
         buttonTextColor, centred},
        // Scan data.
        {"OptDG", &Q::OptDG, &Q::FrameUS, "Derived gestation", 360, 590, 2055, 255},
        {"OptFB", &Q::OptFB, &Q::FrameUS, "Fetal biometry", 360, 270, 2055, 255},
        {"DDUSW", &Q::DDUSW, &Q::FrameUS, "", 885, 1130, 735, 315, inputBackColor, listText},
        {"DDUSD", &Q::DDUSD, &Q::FrameUS, "", 1770, 1130, 735, 315, inputBackColor, listText},
        {"LabUSW", &Q::LabUSW, &Q::FrameUS, "Weeks", 720, 890, 855, 255, buttonFaceColor,
         buttonTextColor, centred},
        {"LabUSD", &Q::LabUSD, &Q::FrameUS, "Days", 1605, 890, 855, 255, buttonFaceColor,
         buttonTextColor, centred},
        // Measurement.
        {"OptCRL", &Q::OptCRL, &Q::FrameCBH, "Crown rump length", 240, 360, 1815, 255},
        {"OptBPD", &Q::OptBPD, &Q::FrameCBH, "Biparietal diameter", 240, 720, 1815, 255},
        {"OptHC", &Q::OptHC, &Q::FrameCBH, "Head circumference", 240, 1080, 1815, 255},
        // The question.
        {"OptYes", &Q::OptYes, &Q::FrameQDOB, yesCaption, 1800, 360, 735, 255},
        {"OptNo", &Q::OptNo, &Q::FrameQDOB, "No", 1800, 720, 735, 255},
        {"LabQDOB", &Q::LabQDOB, &Q::FrameQDOB, questionCaption, 240, 465, 1455, 495,
         buttonFaceColor, buttonTextColor, Qt::AlignLeft | Qt::AlignVCenter, false, true},
        // Date of birth.
        {"DDDOBDateM", &Q::DDDOBDateM, &Q::FrameDOB, "", 120, 600, 1215, 315, lightPink, listText},
        {"DDDOBDateD", &Q::DDDOBDateD, &Q::FrameDOB, "", 1560, 600, 735, 315, lightPink, listText},
        {"DDDOBDateY", &Q::DDDOBDateY, &Q::FrameDOB, "", 2445, 600, 735, 315, lightPink, listText},
        {"LabDOBDateM", &Q::LabDOBDateM, &Q::FrameDOB, "Month", 315, 360, 855, 255, buttonFaceColor,
         buttonTextColor, centred},
        {"LabDOBDateD", &Q::LabDOBDateD, &Q::FrameDOB, "Day", 1395, 360, 855, 255, buttonFaceColor,
         buttonTextColor, centred},
        {"LabDOBDateY", &Q::LabDOBDateY, &Q::FrameDOB, "Year", 2280, 360, 855, 255, buttonFaceColor,
         buttonTextColor, centred},
        // Results.
        {"LabEDD", &Q::LabEDD, &Q::FrameEDD, "Label2", 240, 360, 1935, 255, titleTextColor, darkRed,
         centred, true},
        {"LabGest", &Q::LabGest, &Q::FrameGest, "Label3", 240, 360, 1935, 255, titleTextColor,
         darkRed, centred, true},
    }};
    return table;
}

QuorvelForm::QuorvelForm(Start start, QWidget* parent) : QWidget(parent)
{
    setObjectName("QuorvelForm");
    setWindowTitle(windowCaption);
    setFixedSize(pixels(clientWidth), pixels(clientHeight));
    // Every control takes the colours it does not set from this complete palette, the
    // option indicators and the unavailable look included; a dark desktop scheme would
    // otherwise darken some of them under the window's fixed light colours.
    setPalette(lightScheme());
    setColors(this, scrollBarColor, buttonTextColor);

    buildControls();
    connectHandlings();
    if (start == Start::Now) {
        load();
    }
}

QuorvelForm::~QuorvelForm() = default;

void QuorvelForm::buildControls()
{
    for (const ControlSpec& entry : controlTable()) {
        QWidget* parent = entry.container ? static_cast<QWidget*>(this->*entry.container) : this;
        const QString caption = QString::fromUtf8(entry.caption);
        QWidget* widget = std::visit(
            [&](auto member) -> QWidget* {
                using Widget =
                    std::remove_pointer_t<std::remove_reference_t<decltype(this->*member)>>;
                auto* w = new Widget(parent);
                this->*member = w;
                if constexpr (std::is_same_v<Widget, PickList>) {
                    w->setBackColors(entry.back, unavailableColorOf(entry.back));
                } else if constexpr (std::is_same_v<Widget, QFrame>) {
                    w->setFrameShape(QFrame::NoFrame);
                } else if constexpr (std::is_same_v<Widget, QGroupBox>) {
                    w->setTitle(caption);
                } else if constexpr (std::is_same_v<Widget, ResultLabel>) {
                    w->setPlaceholder(caption);
                } else {
                    w->setText(caption);
                }
                if constexpr (std::is_base_of_v<QLabel, Widget>) {
                    w->setAlignment(entry.align);
                    w->setWordWrap(entry.wrap);
                    if (entry.border) {
                        w->setFrameStyle(QFrame::Box | QFrame::Plain);
                    }
                }
                return w;
            },
            entry.member);
        widget->setObjectName(QString::fromUtf8(entry.name));
        widget->setGeometry(pixels(entry.left), pixels(entry.top), pixels(entry.width),
                            pixels(entry.height));
        if (qobject_cast<PickList*>(widget) == nullptr) {
            setColors(widget, entry.back, entry.fore);
        } else {
            QPalette p = widget->palette();
            p.setColor(QPalette::ButtonText, colorFromValue(entry.fore));
            p.setColor(QPalette::Text, colorFromValue(entry.fore));
            widget->setPalette(p);
        }
    }

    const QUrl address(QString::fromUtf8(makersWebAddress));
    livelink->setText(address.host());
    livelink->setToolTip(address.toString());
    livelink->setFocusPolicy(Qt::TabFocus);
    // The logo is stored at its place's size in device pixels at 100 % and 200 % and drawn as
    // it is; read as PNG, it is not offered to every image plug-in first. Only at other scales
    // does the label stretch it, from the double-size drawing so that it stays sharp.
    const bool doubleSize = Image1->devicePixelRatio() > 1;
    QImageReader logoReader(QString::fromLatin1(doubleSize ? doubleSizeLogoResource : logoResource),
                            logoFormat);
    logoReader.setAutoDetectImageFormat(false);
    QPixmap logo = QPixmap::fromImage(logoReader.read());
    logo.setDevicePixelRatio(doubleSize ? 2 : 1);
    Image1->setPixmap(logo);
    Image1->setScaledContents(logo.size() != Image1->size() * Image1->devicePixelRatio());
    ComCalcEDD->setDefault(true);

    for (auto [timer, name] : {std::pair{&Timer1, "Timer1"}, std::pair{&Timer2, "Timer2"},
                               std::pair{&Timer3, "Timer3"}}) {
        *timer = new IntervalTimer(this);
        (*timer)->setObjectName(QString::fromUtf8(name));
    }

    // Of an option group only the selected option is a stop of the focus chain.
    for (auto* option : findChildren<QRadioButton*>()) {
        option->setFocusPolicy(Qt::ClickFocus);
    }
    const std::array<QWidget*, 21> focusOrder = {
        ComCalcEDD, ComRestart, ComCalcGest, DDLSDateM, DDLSDateD, DDLSDateY, DDVal,
        DDDOBDateM, DDDOBDateD, DDDOBDateY,  OptLMP,    OptUS,     OptCRL,    OptBPD,
        OptHC,      OptYes,     OptNo,       OptDG,     OptFB,     DDUSW,     DDUSD};
    for (std::size_t i = 1; i < focusOrder.size(); ++i) {
        setTabOrder(focusOrder[i - 1], focusOrder[i]);
    }
    // The results follow, where the keyboard reaches them to select and copy.
    setTabOrder(focusOrder.back(), LabEDD);
    setTabOrder(LabEDD, LabGest);
    setTabOrder(LabGest, livelink);
    // A month list opens with the whole year in view.
    DDLSDateM->setMaxVisibleItems(monthsInYear);
    DDDOBDateM->setMaxVisibleItems(monthsInYear);
    // An arrow key that selects Yes must move the focus on as a click does.
    OptNo->installEventFilter(this);

    nameControlsForAssistiveTechnology(*this);
}

void QuorvelForm::whenSelected(QRadioButton* option, std::function<void()> handling)
{
    connect(option, &QRadioButton::toggled, this, [option, handling](bool selected) {
        option->setFocusPolicy(selected ? Qt::StrongFocus : Qt::ClickFocus);
        if (selected) {
            handling();
        }
    });
}

void QuorvelForm::connectHandlings()
{
    whenSelected(OptLMP, [this] { chooseLmpBased(); });
    whenSelected(OptUS, [this] { chooseUltrasoundBased(); });
    whenSelected(OptFB, [this] { chooseFetalBiometry(); });
    whenSelected(OptDG, [this] { chooseDerivedGestation(); });
    whenSelected(OptCRL, [this] { chooseMeasurement(Measurement::CrownRumpLength); });
    whenSelected(OptBPD, [this] { chooseMeasurement(Measurement::BiparietalDiameter); });
    whenSelected(OptHC, [this] { chooseMeasurement(Measurement::HeadCircumference); });
    whenSelected(OptYes, [this] { answerYes(); });
    whenSelected(OptNo, [this] { answerNo(); });

    for (auto* list : {DDVal, DDUSW, DDUSD}) {
        connect(list, &PickList::picked, this, &QuorvelForm::repromptEdd);
    }
    connect(DDLSDateM, &PickList::picked, this, &QuorvelForm::lsMonthPicked);
    connect(DDLSDateD, &PickList::picked, this, &QuorvelForm::lsDayOrYearPicked);
    connect(DDLSDateY, &PickList::picked, this, &QuorvelForm::lsDayOrYearPicked);
    connect(DDDOBDateM, &PickList::picked, this, &QuorvelForm::dobMonthPicked);
    connect(DDDOBDateD, &PickList::picked, this, &QuorvelForm::dobDayPicked);
    connect(DDDOBDateY, &PickList::picked, this, &QuorvelForm::dobYearPicked);

    connect(ComCalcEDD, &QPushButton::clicked, this, &QuorvelForm::calculateEdd);
    connect(ComCalcGest, &QPushButton::clicked, this, &QuorvelForm::calculateGestation);
    connect(ComRestart, &QPushButton::clicked, this, &QuorvelForm::restart);

    connect(Timer1, &IntervalTimer::tick, this, &QuorvelForm::timer1Tick);
    connect(Timer2, &IntervalTimer::tick, this, &QuorvelForm::timer2Tick);
    connect(Timer3, &IntervalTimer::tick, this, &QuorvelForm::timer3Tick);

    connect(livelink, &LinkLabel::clicked, this, [this] {
        if (webLinkHandler_) {
            webLinkHandler_();
        }
    });
}

void QuorvelForm::setWebLinkHandler(std::function<void()> handler)
{
    webLinkHandler_ = std::move(handler);
}

QString QuorvelForm::datenice(const Date& xdate)
{
    return text(longDateText(xdate));
}

// Start-up ---------------------------------------------------------------------------------

void QuorvelForm::load()
{
    Timer1->setInterval(flashInterval);
    Timer2->setInterval(flashInterval);
    Timer3->setInterval(flashInterval);
    vars_.flashCountYes = 0;
    vars_.dobFlashMuted = true;
    vars_.eddDate = today();
    vars_.dobDate = today();

    for (const auto month : monthNames) {
        DDLSDateM->addItemText(text(month));
    }
    for (const auto month : monthNames) {
        DDDOBDateM->addItemText(text(month));
    }
    for (int year = firstListedYear; year <= lastListedYear; ++year) {
        DDLSDateY->addItemText(QString::number(year));
        DDDOBDateY->addItemText(QString::number(year));
    }
    fillNumbers(DDUSW, firstListedWeek, lastListedWeek);
    DDUSW->setText(presetWeeks);
    fillNumbers(DDUSD, firstListedDay, lastListedDay);
    DDUSD->setText(presetDays);

    DDLSDateM->setText(presetScanMonth);
    DDDOBDateM->setText(presetBirthMonth);
    // The month handlings have picked day 1 already; these two run nothing.
    DDLSDateD->setText(presetDay);
    DDDOBDateD->setText(presetDay);
    DDLSDateY->setText(presetYear);
    DDDOBDateY->setText(presetYear);
    OptBPD->setChecked(true);
    OptUS->setChecked(true);

    // These steps repeat what the ultrasound-based handling has just done and change nothing
    // now. They stay, in this order, because start-up is a fixed sequence whose order is the
    // behaviour: they state the arrangement it ends in instead of leaving it to whatever the
    // handlings above happened to set last.
    ComCalcEDD->setVisible(true);
    setDefaultButton(ComCalcEDD);
    ComCalcGest->setVisible(false);
    FrameEDD->setVisible(false);
    FrameCBH->setVisible(true);
    FrameGest->setVisible(false);
    FrameDOB->setVisible(false);
    DDVal->setVisible(true);
    setListAvailable(DDVal, true);
    Labmm->setVisible(true);
    DDLSDateD->setText(presetDay);
    FrameDate->setTitle(scanDateCaption);
    DDLSDateM->setVisible(true);
    FrameQDOB->setVisible(false);
    OptNo->setChecked(true);
}

// Mode and scan data -----------------------------------------------------------------------

void QuorvelForm::repromptEdd()
{
    startEddFlash();
    ComCalcGest->setVisible(false);
    FrameEDD->setVisible(false);
    FrameGest->setVisible(false);
    FrameQDOB->setVisible(false);
    OptNo->setChecked(true);
    FrameDOB->setVisible(false);
    ComCalcEDD->setVisible(true);
    setDefaultButton(ComCalcEDD);
}

void QuorvelForm::chooseLmpBased()
{
    OptCRL->setEnabled(false);
    OptBPD->setEnabled(false);
    OptHC->setEnabled(false);
    ComCalcEDD->setVisible(true);
    setDefaultButton(ComCalcEDD);
    ComCalcGest->setVisible(false);
    FrameEDD->setVisible(false);
    FrameCBH->setEnabled(false);
    FrameUS->setEnabled(false);
    FrameGest->setVisible(false);
    FrameDOB->setVisible(false);
    setListAvailable(DDVal, false);
    Labmm->setEnabled(false);
    setListAvailable(DDUSW, false);
    setListAvailable(DDUSD, false);
    LabUSW->setEnabled(false);
    LabUSD->setEnabled(false);
    OptFB->setEnabled(false);
    OptDG->setEnabled(false);
    DDLSDateD->setText(presetDay);
    FrameDate->setTitle(lmpDateCaption);
    FrameQDOB->setVisible(false);
    OptNo->setChecked(true);
}

void QuorvelForm::chooseUltrasoundBased()
{
    OptUS->setChecked(true);
    OptFB->setChecked(true);
    OptCRL->setEnabled(true);
    OptBPD->setEnabled(true);
    OptHC->setEnabled(true);
    ComCalcEDD->setVisible(true);
    FrameEDD->setVisible(false);
    FrameCBH->setEnabled(true);
    FrameUS->setEnabled(true);
    FrameGest->setVisible(false);
    FrameDOB->setVisible(false);
    OptFB->setEnabled(true);
    OptDG->setEnabled(true);
    setListAvailable(DDUSW, false);
    setListAvailable(DDUSD, false);
    LabUSW->setEnabled(false);
    LabUSD->setEnabled(false);
    setListAvailable(DDVal, true);
    Labmm->setEnabled(true);
    DDLSDateM->setText(presetScanMonth);
    DDLSDateD->setText(presetDay);
    DDLSDateY->setText(presetYear);
    FrameDate->setTitle(scanDateCaption);
    FrameQDOB->setVisible(false);
    OptNo->setChecked(true);
    setDefaultButton(ComCalcEDD);
    ComCalcGest->setVisible(false);
}

void QuorvelForm::chooseFetalBiometry()
{
    arrangeScanData(true);
}

void QuorvelForm::chooseDerivedGestation()
{
    arrangeScanData(false);
}

// Fetal biometry offers the measurement, derived gestation the weeks and days; the scan data
// frame stays available for both.
void QuorvelForm::arrangeScanData(bool fetalBiometry)
{
    OptCRL->setEnabled(fetalBiometry);
    OptBPD->setEnabled(fetalBiometry);
    OptHC->setEnabled(fetalBiometry);
    FrameUS->setEnabled(true);
    FrameCBH->setEnabled(fetalBiometry);
    setListAvailable(DDVal, fetalBiometry);
    Labmm->setEnabled(fetalBiometry);
    setListAvailable(DDUSW, !fetalBiometry);
    setListAvailable(DDUSD, !fetalBiometry);
    LabUSW->setEnabled(!fetalBiometry);
    LabUSD->setEnabled(!fetalBiometry);
    repromptEdd();
}

// The list shows inputBackColor while available and unavailableBackColor while not, from the
// colours it was given once when built.
void QuorvelForm::setListAvailable(PickList* list, bool available)
{
    list->setEnabled(available);
}

// Measurement ------------------------------------------------------------------------------

void QuorvelForm::chooseMeasurement(Measurement kind)
{
    for (const MeasurementList& m : measurementLists) {
        if (m.kind == kind) {
            DDVal->clearItems();
            fillNumbers(DDVal, m.first, m.last, m.step);
            DDVal->setText(m.preset);
        }
    }
}

// Date lists -------------------------------------------------------------------------------

void QuorvelForm::refillDays(PickList* days, const QString& monthText)
{
    const int n = daysInMonth(monthText.toStdString());
    days->clearItems();
    fillNumbers(days, 1, n);
}

void QuorvelForm::lsMonthPicked()
{
    startEddFlash();
    refillDays(DDLSDateD, DDLSDateM->text());
    DDLSDateD->setText(presetDay);
    datePrompt();
}

void QuorvelForm::lsDayOrYearPicked()
{
    startEddFlash();
    datePrompt();
}

void QuorvelForm::datePrompt()
{
    ComCalcGest->setVisible(false);
    FrameEDD->setVisible(false);
    FrameGest->setVisible(false);
    FrameQDOB->setVisible(false);
    OptNo->setChecked(true);
    FrameDOB->setVisible(false);
    ComCalcEDD->setVisible(true);
}

void QuorvelForm::dobMonthPicked()
{
    vars_.flashCountGest = 0;
    if (!vars_.dobFlashMuted) {
        startGestFlash();
    }
    refillDays(DDDOBDateD, DDDOBDateM->text());
    DDDOBDateD->setText(presetDay);
    FrameGest->setVisible(false);
    vars_.dobFlashMuted = false;
    setDefaultButton(ComCalcGest);
    ComCalcGest->setVisible(true);
}

void QuorvelForm::dobDayPicked()
{
    vars_.flashCountGest = 0;
    if (!vars_.dobFlashMuted) {
        startGestFlash();
    }
    FrameGest->setVisible(false);
    setDefaultButton(ComCalcGest);
    ComCalcGest->setVisible(true);
    vars_.dobFlashMuted = false;
}

void QuorvelForm::dobYearPicked()
{
    vars_.flashCountGest = 0;
    startGestFlash();
    FrameGest->setVisible(false);
    setDefaultButton(ComCalcGest);
    ComCalcGest->setVisible(true);

    // The Yes answer lists 29 February for an EDD on that day; in a year without it the day
    // would name no date, so the row falls back to the 28th.
    const auto leapDay = dateFromTexts(leapDayText, "February", DDDOBDateY->text().toStdString());
    if (DDDOBDateM->text() == "February" && DDDOBDateD->findText(leapDayText) >= 0 && !leapDay) {
        if (DDDOBDateD->text() == leapDayText) {
            DDDOBDateD->setText(lastFebruaryDayText);
        }
        DDDOBDateD->removeItemText(leapDayText);
    }
}

// Calculations, question and restart -------------------------------------------------------

void QuorvelForm::calculateEdd()
{
    startYesFlash();

    EddInputs in;
    in.mode = OptUS->isChecked() ? DatingMode::Ultrasound : DatingMode::LastMenstrualPeriod;
    in.scanData = OptFB->isChecked() ? ScanData::FetalBiometry : ScanData::DerivedGestation;
    in.measurement = measurementFromOptions(OptCRL->isChecked(), OptBPD->isChecked());
    in.measurementText = DDVal->text().toStdString();
    in.weeksText = DDUSW->text().toStdString();
    in.daysText = DDUSD->text().toStdString();
    in.dayText = DDLSDateD->text().toStdString();
    in.monthText = DDLSDateM->text().toStdString();
    in.yearText = DDLSDateY->text().toStdString();
    const auto result = computeEdd(in);
    if (!result) {
        // The lists offer only what the arithmetic accepts; nothing is shown rather than a
        // wrong date should that ever fail.
        qWarning("Calculate EDD: %s", describe(result.error()));
        return;
    }

    if (result->scan) {
        vars_.scanGestDays = result->scan->gestationalDays;
        vars_.scanDaysToEdd = result->scan->daysToEdd;
    }
    LabEDD->setText(datenice(result->edd));
    // The stored EDD is read back from the label so that it is always the day the user sees.
    vars_.eddDate = dateFromText(LabEDD->text().toStdString()).value();
    FrameQDOB->setVisible(true);
    handOnFocus(ComCalcEDD, OptYes);
    // Its own flash, if still running, would bring the button back over the result.
    Timer3->setEnabled(false);
    ComCalcEDD->setVisible(false);
    // Shown last: a screen reader speaks the result after it has told where the focus went.
    FrameEDD->setVisible(true);
}

void QuorvelForm::calculateGestation()
{
    const auto g =
        computeGestAtBirth(DDDOBDateD->text().toStdString(), DDDOBDateM->text().toStdString(),
                           DDDOBDateY->text().toStdString(), vars_.eddDate);
    if (!g) {
        qWarning("Calculate gestation: %s", describe(g.error()));
        FrameGest->setVisible(false);
        return;
    }
    vars_.dobDate = g->dateOfBirth;
    LabGest->setText(text(g->caption));
    handOnFocus(ComCalcGest, DDDOBDateM);
    ComCalcGest->setVisible(false);
    // Shown last: a screen reader speaks the result after it has told where the focus went.
    FrameGest->setVisible(true);
}

void QuorvelForm::answerYes()
{
    const std::chrono::year_month_day edd{vars_.eddDate};
    const int day = static_cast<int>(static_cast<unsigned>(edd.day()));
    const int year = static_cast<int>(edd.year());

    FrameDOB->setVisible(true);
    DDDOBDateM->setText(text(monthName(static_cast<int>(static_cast<unsigned>(edd.month())))));
    listDay(DDDOBDateD, day);
    DDDOBDateD->setText(QString::number(day));
    listYear(DDDOBDateY, year);
    DDDOBDateY->setText(QString::number(year));
    DDDOBDateM->setVisible(true);
    DDDOBDateD->setVisible(true);
    DDDOBDateY->setVisible(true);
    DDDOBDateM->setFocus();
    ComCalcGest->setVisible(true);
    ComCalcEDD->setVisible(false);
}

void QuorvelForm::answerNo()
{
    FrameDOB->setVisible(false);
    FrameGest->setVisible(false);
    ComCalcGest->setVisible(false);
}

void QuorvelForm::restart()
{
    chooseUltrasoundBased();
}

// Flashes ----------------------------------------------------------------------------------

void QuorvelForm::startYesFlash()
{
    vars_.flashCountYes = 0;
    Timer1->setEnabled(true);
}

void QuorvelForm::startGestFlash()
{
    Timer2->setEnabled(true);
}

void QuorvelForm::startEddFlash()
{
    vars_.flashCountEdd = 0;
    Timer3->setEnabled(true);
}

// Each tick toggles its element, but the last one always leaves it shown: a flash restarted
// out of step (while its element was blank or hidden, or after a handling showed it) must not
// end with a blank caption or without a Calculate EDD button to use.
bool QuorvelForm::countTick(std::int16_t& counter, IntervalTimer* timer)
{
    ++counter;
    if (counter == flashToggles) {
        timer->setEnabled(false);
        return true;
    }
    return false;
}

void QuorvelForm::timer1Tick()
{
    const bool last = countTick(vars_.flashCountYes, Timer1);
    const bool blank = !last && !OptYes->text().isEmpty();
    OptYes->setText(blank ? QString() : QString(yesCaption));
    LabQDOB->setText(blank ? QString() : QString(questionCaption));
}

void QuorvelForm::timer2Tick()
{
    const bool last = countTick(vars_.flashCountGest, Timer2);
    const bool blank = !last && !ComCalcGest->text().isEmpty();
    ComCalcGest->setText(blank ? QString() : QString(calcGestCaption));
}

void QuorvelForm::timer3Tick()
{
    const bool last = countTick(vars_.flashCountEdd, Timer3);
    const bool shown = last || ComCalcEDD->isHidden();
    // A window activated while the button is out of sight would give the focus to the next
    // control; until the button is back the window holds the focus meant for it.
    if (!shown && !isActiveWindow() && (focusWidget() == nullptr || focusWidget() == ComCalcEDD)) {
        setFocus(Qt::OtherFocusReason);
    }
    const bool blinking = std::exchange(eddButtonBlinking_, true);
    ComCalcEDD->setVisible(shown);
    eddButtonBlinking_ = blinking;
    if (shown && focusWidget() == this) {
        ComCalcEDD->setFocus(Qt::OtherFocusReason);
    }
}

// Buttons ----------------------------------------------------------------------------------

void QuorvelForm::setDefaultButton(QPushButton* button)
{
    for (auto* b : {ComCalcEDD, ComRestart, ComCalcGest}) {
        b->setDefault(b == button);
    }
}

// Focus ---------------------------------------------------------------------------------------

void QuorvelForm::handOnFocus(QWidget* leaving, QWidget* next)
{
    if (!leaving->hasFocus()) {
        return;
    }
    next->setFocus(Qt::OtherFocusReason);
    // Qt makes a focused option its group's Tab stop; here the selected option stays the stop.
    for (auto* option : findChildren<QRadioButton*>()) {
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

// Qt moves the focus on from a control that is hidden. A blink is no reason to: the button
// keeps the focus while it is out of sight, and a key pressed then still reaches it.
bool QuorvelForm::focusNextPrevChild(bool next)
{
    if (eddButtonBlinking_) {
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

// Up from No selects Yes as a click would: the focus goes to Yes and the Yes handling then
// moves it on to the date of birth. Qt's own arrow handling would give it back to Yes.
bool QuorvelForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == OptNo && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Up && OptNo->isChecked() &&
        OptYes->isEnabled()) {
        OptYes->setFocus(Qt::BacktabFocusReason);
        OptYes->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Qt presses the default button on Enter only inside a dialog; this window is a plain
// widget, so an Enter no control took is passed here to the default button, if shown.
void QuorvelForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        for (auto* b : {ComCalcEDD, ComRestart, ComCalcGest}) {
            if (b->isDefault() && !b->isHidden() && b->isEnabled()) {
                b->click();
                return;
            }
        }
    }
    QWidget::keyPressEvent(event);
}

} // namespace quorvel
