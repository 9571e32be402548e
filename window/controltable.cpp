#include "window/controltable.h"

#include "window/colors.h"
#include "window/intervaltimer.h"
#include "window/linklabel.h"
#include "window/makerssite.h"
#include "window/picklist.h"
#include "window/pictureresource.h"
#include "window/quorvelform.h"
#include "window/resultlabel.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <array>
#include <type_traits>
#include <vector>

namespace quorvel {

namespace {

const char* const logoResource = ":/logo.pixels";
const char* const doubleSizeLogoResource = ":/logo@2x.png";
constexpr int monthsInYear = 12;

// What building does for each kind of control beyond its place and colours.

void build(QGroupBox* frame, const ControlRow& row)
{
    frame->setTitle(QString::fromUtf8(row.caption));
}

void lookOfLabel(QLabel* label, const ControlLook& look)
{
    label->setAlignment(look.align);
    label->setWordWrap(look.wrap);
    if (look.border) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
    }
}

void build(QLabel* label, const ControlRow& row)
{
    label->setText(QString::fromUtf8(row.caption));
    lookOfLabel(label, row.look);
}

// A result label's caption is what it shows until the first result.
void build(ResultLabel* label, const ControlRow& row)
{
    label->setPlaceholder(QString::fromUtf8(row.caption));
    lookOfLabel(label, row.look);
}

void build(QAbstractButton* button, const ControlRow& row)
{
    button->setText(QString::fromUtf8(row.caption));
}

// A list that takes input shows the unavailable colour while unavailable; the date lists keep
// their own colour either way.
ColorValue unavailableColorOf(ColorValue back)
{
    return back == inputBackColor ? unavailableBackColor : back;
}

void build(PickList* list, const ControlRow& row)
{
    list->setBackColors(row.look.back, unavailableColorOf(row.look.back));
}

void build(QFrame* line, const ControlRow& /*row*/)
{
    line->setFrameShape(QFrame::NoFrame);
}

void paint(QWidget* control, const ControlLook& look)
{
    setColors(control, look.back, look.fore);
}

// A list paints its own background, available or not; only its text colour is set here, that
// of an available list: an unavailable one shows its value in the unavailable text colour.
void paint(PickList* list, const ControlLook& look)
{
    QPalette p = list->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::ButtonText, colorFromValue(look.fore));
        p.setColor(group, QPalette::Text, colorFromValue(look.fore));
    }
    list->setPalette(p);
}

template <auto field>
QWidget* make(QuorvelForm& form, QWidget* parent, const ControlRow& row)
{
    using Control = std::remove_pointer_t<std::remove_reference_t<decltype(form.*field)>>;
    auto* control = new Control(parent);
    form.*field = control;
    build(control, row);
    control->setObjectName(QString::fromUtf8(row.name));
    control->setGeometry(pixels(row.place.left), pixels(row.place.top), pixels(row.place.width),
                         pixels(row.place.height));
    paint(control, row.look);
    return control;
}

// Each name begins with what the control shows, so that what is heard matches what is seen;
// the words that explain it go to the description. Controls whose caption says enough
// (frames with a title) keep it as their name. The result labels get their description, the
// result, only when it is written.
constexpr ControlAccess named(const char* name, const char* description = "")
{
    return {.name = name, .description = description};
}

// No name of its own: the link is named by the address it shows.
constexpr ControlAccess described(const char* description)
{
    return {.description = description};
}

constexpr ControlAccess namedByCaption(const char* description = "")
{
    return {.description = description, .captionIsName = true};
}

// On Linux a list's accessible name is its picked item, and the list is known by the label
// that names it: the caption, given the list's full name followed by the picked item.
constexpr ControlAccess namedList(const char* name, QLabel* QuorvelForm::*caption,
                                  const char* description = "")
{
    return {.name = name, .description = description, .buddy = caption};
}

void applyAccess(QuorvelForm& form, QWidget* control, const ControlRow& row)
{
    const ControlAccess& access = row.access;
    const char* name = access.captionIsName ? row.caption : access.name;
    if (name != nullptr) {
        control->setAccessibleName(QString::fromUtf8(name));
    }
    if (access.description != nullptr) {
        control->setAccessibleDescription(QString::fromUtf8(access.description));
    }
    if (access.buddy != nullptr) {
        QLabel* caption = form.*access.buddy;
        caption->setAccessibleDescription(control->accessibleDescription());
        if (auto* list = qobject_cast<PickList*>(control)) {
            list->setSpokenLabel(caption, control->accessibleName());
        }
    }
}

constexpr auto centredText = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr ControlLook centred{.align = centredText};
constexpr ControlLook wrapped{.wrap = true};
constexpr ControlLook result{
    .align = centredText, .border = true, .back = titleTextColor, .fore = darkRed};
constexpr ControlLook inputList{.back = inputBackColor, .fore = windowTextColor};
constexpr ControlLook dateList{.back = lightPink, .fore = windowTextColor};
constexpr ControlLook linkLook{.back = activeBorderColor, .fore = blue};
constexpr ControlLook lineLook{.back = blue, .fore = blue};

} // namespace

std::span<const ControlRow> QuorvelForm::controlTable()
{
    using Q = QuorvelForm;
    // A row: name, field, frame it stands in (nullptr: the window), caption, place in twips
    // (left, top, width, height), then what differs from a plain control's look, then what
    // assistive technology reads for it.
    // clang-format off
    static const std::array table = std::to_array<ControlRow>({
        // Directly on the window; frames come before what they hold.
        {"calculateEddButton", make<&Q::calculateEddButton>, nullptr, "Calculate EDD",
         {7440, 3720, 1935, 315}, {}, namedByCaption()},
        {"restartButton", make<&Q::restartButton>, nullptr, "Cancel and RESTART",
         {7440, 4920, 1935, 315}, {}, named("Cancel and restart", "Clears every input and result")},
        {"calculateGestationButton", make<&Q::calculateGestationButton>, nullptr, calcGestCaption,
         {7440, 4200, 1935, 315}, {},
         namedByCaption("Calculates the length of gestation at birth")},
        {"measurementValue", make<&Q::measurementValue>, nullptr, "", {5400, 2160, 735, 315},
         inputList, namedList("mm", &Q::mmLabel, "Measurement in millimetres")},
        {"modeFrame", make<&Q::modeFrame>, nullptr, "Mode", {240, 150, 2655, 1215}},
        {"measurementFrame", make<&Q::measurementFrame>, nullptr, "Measurement",
         {3000, 1500, 2175, 1545}},
        {"mmLabel", make<&Q::mmLabel>, nullptr, "mm", {6120, 2205, 375, 255}},
        {"eddFrame", make<&Q::eddFrame>, nullptr, "EDD", {600, 4500, 2295, 735}},
        {"gestationFrame", make<&Q::gestationFrame>, nullptr, "Gestation at birth",
         {3000, 4500, 2295, 735}},
        {"questionFrame", make<&Q::questionFrame>, nullptr, "", {240, 3150, 2655, 1215}, {},
         named("Gestation at birth question")},
        {"lmpOrScanDateFrame", make<&Q::lmpOrScanDateFrame>, nullptr, "Frame1",
         {3000, 150, 3375, 1215}},
        {"birthDateFrame", make<&Q::birthDateFrame>, nullptr, "Date of birth",
         {3000, 3150, 3375, 1215}},
        {"scanDataFrame", make<&Q::scanDataFrame>, nullptr, "Scan data", {240, 1500, 2655, 1545}},
        {"makersLink", make<&Q::makersLink>, nullptr, "", {8040, 2760, 1455, 255}, linkLook,
         described("Makers' web site")},
        {"logoLabel", make<&Q::logoLabel>, nullptr, "", {6600, 120, 2820, 2505}, {},
         named("Quorvel logo")},
        {"linkUnderline", make<&Q::linkUnderline>, nullptr, "", {8040, 3000, 1320, twipsPerPixel},
         lineLook},
        // Mode.
        {"lmpOption", make<&Q::lmpOption>, &Q::modeFrame, "LMP-based", {360, 360, 1575, 255}, {},
         named("LMP-based dating")},
        {"ultrasoundOption", make<&Q::ultrasoundOption>, &Q::modeFrame, "Ultrasound-based",
         {360, 720, 1575, 255}, {}, named("Ultrasound-based dating")},
        // Date of the LMP or of the scan.
        {"lmpOrScanMonth", make<&Q::lmpOrScanMonth>, &Q::lmpOrScanDateFrame, "",
         {165, 615, 1215, 315}, dateList,
         namedList("Month of the LMP or scan date", &Q::lmpOrScanMonthLabel)},
        {"lmpOrScanDay", make<&Q::lmpOrScanDay>, &Q::lmpOrScanDateFrame, "", {1605, 600, 735, 315},
         dateList, namedList("Day of the LMP or scan date", &Q::lmpOrScanDayLabel)},
        {"lmpOrScanYear", make<&Q::lmpOrScanYear>, &Q::lmpOrScanDateFrame, "",
         {2490, 600, 735, 315}, dateList,
         namedList("Year of the LMP or scan date", &Q::lmpOrScanYearLabel)},
        {"lmpOrScanMonthLabel", make<&Q::lmpOrScanMonthLabel>, &Q::lmpOrScanDateFrame, "Month",
         {240, 360, 855, 255}, centred},
        {"lmpOrScanDayLabel", make<&Q::lmpOrScanDayLabel>, &Q::lmpOrScanDateFrame, "Day",
         {1440, 360, 855, 255}, centred},
        {"lmpOrScanYearLabel", make<&Q::lmpOrScanYearLabel>, &Q::lmpOrScanDateFrame, "Year",
         {2325, 360, 855, 255}, centred},
        // Scan data.
        {"derivedGestationOption", make<&Q::derivedGestationOption>, &Q::scanDataFrame,
         "Derived gestation", {360, 590, 2055, 255}, {},
         namedByCaption("Scan data as the gestation found at the scan")},
        {"fetalBiometryOption", make<&Q::fetalBiometryOption>, &Q::scanDataFrame, "Fetal biometry",
         {360, 270, 2055, 255}, {}, namedByCaption("Scan data from a fetal measurement")},
        {"derivedWeeks", make<&Q::derivedWeeks>, &Q::scanDataFrame, "", {885, 1130, 735, 315},
         inputList, namedList("Weeks of the derived gestation", &Q::derivedWeeksLabel)},
        {"derivedDays", make<&Q::derivedDays>, &Q::scanDataFrame, "", {1770, 1130, 735, 315},
         inputList, namedList("Days of the derived gestation", &Q::derivedDaysLabel)},
        {"derivedWeeksLabel", make<&Q::derivedWeeksLabel>, &Q::scanDataFrame, "Weeks",
         {720, 890, 855, 255}, centred},
        {"derivedDaysLabel", make<&Q::derivedDaysLabel>, &Q::scanDataFrame, "Days",
         {1605, 890, 855, 255}, centred},
        // Measurement.
        {"crlOption", make<&Q::crlOption>, &Q::measurementFrame, "Crown rump length",
         {240, 360, 1815, 255}, {}, namedByCaption()},
        {"bpdOption", make<&Q::bpdOption>, &Q::measurementFrame, "Biparietal diameter",
         {240, 720, 1815, 255}, {}, namedByCaption()},
        {"hcOption", make<&Q::hcOption>, &Q::measurementFrame, "Head circumference",
         {240, 1080, 1815, 255}, {}, namedByCaption()},
        // The question.
        {"yesOption", make<&Q::yesOption>, &Q::questionFrame, yesCaption, {1800, 360, 735, 255}, {},
         namedByCaption("Calculate length of gestation at birth")},
        {"noOption", make<&Q::noOption>, &Q::questionFrame, "No", {1800, 720, 735, 255}, {},
         namedByCaption("Do not calculate length of gestation at birth")},
        {"questionLabel", make<&Q::questionLabel>, &Q::questionFrame, questionCaption,
         {240, 465, 1455, 495}, wrapped, namedByCaption()},
        // Date of birth.
        {"birthMonth", make<&Q::birthMonth>, &Q::birthDateFrame, "", {120, 600, 1215, 315},
         dateList, namedList("Month of birth", &Q::birthMonthLabel)},
        {"birthDay", make<&Q::birthDay>, &Q::birthDateFrame, "", {1560, 600, 735, 315}, dateList,
         namedList("Day of birth", &Q::birthDayLabel)},
        {"birthYear", make<&Q::birthYear>, &Q::birthDateFrame, "", {2445, 600, 735, 315}, dateList,
         namedList("Year of birth", &Q::birthYearLabel)},
        {"birthMonthLabel", make<&Q::birthMonthLabel>, &Q::birthDateFrame, "Month",
         {315, 360, 855, 255}, centred},
        {"birthDayLabel", make<&Q::birthDayLabel>, &Q::birthDateFrame, "Day", {1395, 360, 855, 255},
         centred},
        {"birthYearLabel", make<&Q::birthYearLabel>, &Q::birthDateFrame, "Year",
         {2280, 360, 855, 255}, centred},
        // Results; the caption is what the label shows until the first result.
        {"eddResult", make<&Q::eddResult>, &Q::eddFrame, "Label2", {240, 360, 1935, 255}, result,
         named("EDD")},
        {"gestationResult", make<&Q::gestationResult>, &Q::gestationFrame, "Label3",
         {240, 360, 1935, 255}, result, named("Gestation at birth")},
    });
    // clang-format on
    return table;
}

void QuorvelForm::buildControls()
{
    std::vector<QWidget*> controls;
    for (const ControlRow& row : controlTable()) {
        QWidget* parent = row.container ? static_cast<QWidget*>(this->*row.container) : this;
        controls.push_back(row.make(*this, parent, row));
    }

    const QUrl address(QString::fromUtf8(makersWebAddress));
    makersLink->setText(address.host());
    makersLink->setToolTip(address.toString());
    makersLink->setFocusPolicy(Qt::TabFocus);
    // The logo is stored at its place's size in device pixels at 100 % and 200 % and drawn as
    // it is. Only at other scales does the label stretch it, from the double-size drawing so
    // that it stays sharp.
    const bool doubleSize = logoLabel->devicePixelRatio() > 1;
    QPixmap logo =
        QPixmap::fromImage(doubleSize ? readPng(QString::fromLatin1(doubleSizeLogoResource))
                                      : readRawPixels(QString::fromLatin1(logoResource),
                                                      logoLabel->size(), QImage::Format_RGB32));
    logo.setDevicePixelRatio(doubleSize ? 2 : 1);
    logoLabel->setPixmap(logo);
    logoLabel->setScaledContents(logo.size() != logoLabel->size() * logoLabel->devicePixelRatio());
    calculateEddButton->setDefault(true);

    for (auto [timer, name] :
         {std::pair{&yesFlash, "yesFlash"}, std::pair{&gestationFlash, "gestationFlash"},
          std::pair{&eddFlash, "eddFlash"}}) {
        *timer = new IntervalTimer(this);
        (*timer)->setObjectName(QString::fromUtf8(name));
    }

    arrangeFocusChain();
    // A month list opens with the whole year in view.
    lmpOrScanMonth->setMaxVisibleItems(monthsInYear);
    birthMonth->setMaxVisibleItems(monthsInYear);
    // An arrow key that selects Yes must move the focus on as a click does.
    noOption->installEventFilter(this);

    for (std::size_t i = 0; i < controls.size(); ++i) {
        applyAccess(*this, controls[i], controlTable()[i]);
    }
}

} // namespace quorvel
