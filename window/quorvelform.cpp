#include "window/quorvelform.h"

#include "window/announcer.h"
#include "window/colors.h"
#include "window/controltable.h"
#include "window/intervaltimer.h"
#include "window/linklabel.h"
#include "window/picklist.h"
#include "window/resultlabel.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <array>

namespace quorvel {

namespace {

constexpr int clientWidth = 9600; // twips
constexpr int clientHeight = 5505;

const char* const windowCaption = "Quorvel";

// The keys with which Qt moves to the option before the focused one in its group.
bool isKeyToPreviousOption(int key)
{
    return key == Qt::Key_Up || key == Qt::Key_Left;
}

} // namespace

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
    announcer_ = new Announcer(this);
    connectHandlings();
    if (start == Start::Now) {
        load();
    }
}

QuorvelForm::~QuorvelForm() = default;

// Events and their handlings ----------------------------------------------------------------

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
    whenSelected(lmpOption, [this] { chooseLmpBased(); });
    whenSelected(ultrasoundOption, [this] { chooseUltrasoundBased(); });
    whenSelected(fetalBiometryOption, [this] { chooseFetalBiometry(); });
    whenSelected(derivedGestationOption, [this] { chooseDerivedGestation(); });
    whenSelected(crlOption, [this] { chooseMeasurement(Measurement::CrownRumpLength); });
    whenSelected(bpdOption, [this] { chooseMeasurement(Measurement::BiparietalDiameter); });
    whenSelected(hcOption, [this] { chooseMeasurement(Measurement::HeadCircumference); });
    whenSelected(yesOption, [this] { answerYes(); });
    whenSelected(noOption, [this] { answerNo(); });

    for (auto* list : {measurementValue, derivedWeeks, derivedDays}) {
        connect(list, &PickList::picked, this, &QuorvelForm::repromptEdd);
    }
    connect(lmpOrScanMonth, &PickList::picked, this, &QuorvelForm::lmpOrScanMonthPicked);
    connect(lmpOrScanDay, &PickList::picked, this, &QuorvelForm::lmpOrScanDayOrYearPicked);
    connect(lmpOrScanYear, &PickList::picked, this, &QuorvelForm::lmpOrScanDayOrYearPicked);
    connect(birthMonth, &PickList::picked, this, &QuorvelForm::dobMonthPicked);
    connect(birthDay, &PickList::picked, this, &QuorvelForm::dobDayPicked);
    connect(birthYear, &PickList::picked, this, &QuorvelForm::dobYearPicked);

    connect(calculateEddButton, &QPushButton::clicked, this, &QuorvelForm::calculateEdd);
    connect(calculateGestationButton, &QPushButton::clicked, this,
            &QuorvelForm::calculateGestation);
    connect(restartButton, &QPushButton::clicked, this, [this] {
        restart();
        announcer_->restarted();
    });
    for (auto* list : findChildren<PickList*>()) {
        connect(list, &PickList::picked, this, [this, list] { notePicked(list); });
    }
    eddFrame->installEventFilter(this);
    gestationFrame->installEventFilter(this);

    connect(yesFlash, &IntervalTimer::tick, this, &QuorvelForm::yesFlashTick);
    connect(gestationFlash, &IntervalTimer::tick, this, &QuorvelForm::gestationFlashTick);
    connect(eddFlash, &IntervalTimer::tick, this, &QuorvelForm::eddFlashTick);

    connect(makersLink, &LinkLabel::clicked, this, [this] {
        if (webLinkHandler_) {
            webLinkHandler_();
        }
    });
}

void QuorvelForm::setWebLinkHandler(std::function<void()> handler)
{
    webLinkHandler_ = std::move(handler);
}

// Flashes ----------------------------------------------------------------------------------

void QuorvelForm::startYesFlash()
{
    vars_.flashCountYes = 0;
    yesFlash->setEnabled(true);
}

void QuorvelForm::startGestFlash()
{
    gestationFlash->setEnabled(true);
}

void QuorvelForm::startEddFlash()
{
    vars_.flashCountEdd = 0;
    eddFlash->setEnabled(true);
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

void QuorvelForm::yesFlashTick()
{
    const bool last = countTick(vars_.flashCountYes, yesFlash);
    const bool blank = !last && !yesOption->text().isEmpty();
    yesOption->setText(blank ? QString() : QString(yesCaption));
    questionLabel->setText(blank ? QString() : QString(questionCaption));
}

void QuorvelForm::gestationFlashTick()
{
    const bool last = countTick(vars_.flashCountGest, gestationFlash);
    const bool blank = !last && !calculateGestationButton->text().isEmpty();
    calculateGestationButton->setText(blank ? QString() : QString(calcGestCaption));
}

void QuorvelForm::eddFlashTick()
{
    const bool last = countTick(vars_.flashCountEdd, eddFlash);
    const bool shown = last || calculateEddButton->isHidden();
    // A window activated while the button is out of sight would give the focus to the next
    // control; until the button is back the window holds the focus meant for it.
    if (!shown && !isActiveWindow() &&
        (focusWidget() == nullptr || focusWidget() == calculateEddButton)) {
        setFocus(Qt::OtherFocusReason);
    }
    const bool blinking = std::exchange(eddButtonBlinking_, true);
    calculateEddButton->setVisible(shown);
    eddButtonBlinking_ = blinking;
    if (shown && focusWidget() == this) {
        calculateEddButton->setFocus(Qt::OtherFocusReason);
    }
}

// Buttons ----------------------------------------------------------------------------------

void QuorvelForm::setDefaultButton(QPushButton* button)
{
    for (auto* b : {calculateEddButton, restartButton, calculateGestationButton}) {
        b->setDefault(b == button);
    }
}

// Focus ---------------------------------------------------------------------------------------

void QuorvelForm::arrangeFocusChain()
{
    // Of an option group only the selected option is a stop of the focus chain.
    for (auto* option : findChildren<QRadioButton*>()) {
        option->setFocusPolicy(Qt::ClickFocus);
    }
    const std::array<QWidget*, 21> focusOrder = {
        calculateEddButton,  restartButton, calculateGestationButton,
        lmpOrScanMonth,      lmpOrScanDay,  lmpOrScanYear,
        measurementValue,    birthMonth,    birthDay,
        birthYear,           lmpOption,     ultrasoundOption,
        crlOption,           bpdOption,     hcOption,
        yesOption,           noOption,      derivedGestationOption,
        fetalBiometryOption, derivedWeeks,  derivedDays};
    for (std::size_t i = 1; i < focusOrder.size(); ++i) {
        setTabOrder(focusOrder[i - 1], focusOrder[i]);
    }
    // The results follow, where the keyboard reaches them to select and copy.
    setTabOrder(focusOrder.back(), eddResult);
    setTabOrder(eddResult, gestationResult);
    setTabOrder(gestationResult, makersLink);
}

void QuorvelForm::handOnFocus(QWidget* next)
{
    next->setFocus(Qt::OtherFocusReason);
    // Qt makes a focused option its group's Tab stop; here the selected option stays the stop.
    for (auto* option : findChildren<QRadioButton*>()) {
        option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

// Announcements -------------------------------------------------------------------------------

// A result frame hidden by a handling (not with the window) is a withdrawn result.
void QuorvelForm::noteWithdrawn(QWidget* resultFrame)
{
    if (!isVisible() || !resultFrame->isHidden()) {
        return;
    }
    announcer_->withdrawn(resultFrame == static_cast<QWidget*>(eddFrame)
                              ? Announcer::Result::Edd
                              : Announcer::Result::Gestation);
}

// Screen readers say nothing of a list's new item under the focus (Qt reports no value for
// a list on Linux), so the pick is announced; an item found by typing they read out already.
void QuorvelForm::notePicked(PickList* list)
{
    if (list->hasFocus() && !list->typing() && !list->text().isEmpty()) {
        announcer_->picked(list->text());
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

// Up or Left from No selects Yes as a click would: the focus goes to Yes and the Yes handling
// then moves it on to the date of birth. Qt's own arrow handling would give it back to Yes.
bool QuorvelForm::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == eddFrame || watched == gestationFrame) && event->type() == QEvent::Hide) {
        noteWithdrawn(static_cast<QWidget*>(watched));
        return false;
    }
    if (watched == noOption && event->type() == QEvent::KeyPress &&
        isKeyToPreviousOption(static_cast<QKeyEvent*>(event)->key()) && noOption->isChecked() &&
        yesOption->isEnabled()) {
        yesOption->setFocus(Qt::BacktabFocusReason);
        yesOption->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Qt presses the default button on Enter only inside a dialog; this window is a plain
// widget. Enter presses the focused button, as on every desktop, and from any other control
// it runs the calculation whose button is shown. A blink hides Calculate EDD only for a
// moment: an Enter pressed right after a pick, while it blinks, still calculates.
void QuorvelForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        for (auto* b : {focused, calculateEddButton, calculateGestationButton}) {
            const bool blinking = b == calculateEddButton && eddFlash->isRunning();
            if (b != nullptr && (!b->isHidden() || blinking) && b->isEnabled()) {
                b->click();
                return;
            }
        }
    }
    QWidget::keyPressEvent(event);
}

} // namespace quorvel
