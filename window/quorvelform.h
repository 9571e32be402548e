#pragma once

// QuorvelForm is the calculator's one window. It owns every control, built from one table of
// fixed controls, and the eight form-level variables the handlings share. Every piece of work
// is a handling of a control event or a timer tick: a straight sequence of property changes
// in a fixed order. A selection changed in code (an option checked, a list item picked) runs
// that control's handling at once, nested, to completion, exactly as the user's own pick
// would; clearing and filling a list runs nothing. The handlings rely on that order.
//
// The arithmetic lives in core/ and holds no state; only the two calculation actions call it,
// reading the controls and writing the results back. Three interval timers make the element
// to use next blink for 400 ms (a "flash"). Clicking the link label asks the web-link layer
// to open the makers' site; the window itself never touches files or other programs.
//
// The member functions are spread over three files by job:
// - controltable.cpp: the control table, a row per control, and building the window from it;
// - quorvelform.cpp: construction, connecting the events to their handlings, the flashes,
//   and the focus and keys;
// - handlings.cpp: the handlings themselves (start-up, mode, scan data, date lists, the two
//   calculations, the question and the restart).

#include "core/calendar.h"
#include "core/edd.h"

#include <QWidget>
#include <cstdint>
#include <functional>
#include <span>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QFrame;

namespace quorvel {

struct ControlRow;
class Announcer;
class IntervalTimer;
class LinkLabel;
class PickList;
class ResultLabel;

class QuorvelForm : public QWidget {
    Q_OBJECT

public:
    enum class Start { Now, Later };

    struct Variables {
        Date eddDate{};                 // the EDD last computed
        Date dobDate{};                 // the date of birth last assembled
        double scanGestDays = 0;        // gestational days at the scan, last ultrasound EDD
        std::int16_t scanDaysToEdd = 0; // days from the scan to the EDD, likewise
        std::int16_t flashCountYes = 0;
        std::int16_t flashCountGest = 0;
        std::int16_t flashCountEdd = 0;
        bool dobFlashMuted = false; // the first date-of-birth picks at start-up do not flash
    };

    // Start::Later leaves the window as created, for running load() by hand.
    explicit QuorvelForm(Start start = Start::Now, QWidget* parent = nullptr);
    ~QuorvelForm() override;

    // The start-up handling; runs once, before the window is first shown.
    void load();

    const Variables& variables() const { return vars_; }

    // The long date text of a day, as the EDD label shows it.
    static QString longDate(const Date& date);

    // What a click on the link label does; by default nothing.
    void setWebLinkHandler(std::function<void()> handler);

    // The flashes' tick handlings, run by their timers every 100 ms.
    void yesFlashTick();
    void gestationFlashTick();
    void eddFlashTick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Captions that the flashes blank and restore.
    static constexpr const char* yesCaption = "Yes";
    static constexpr const char* questionCaption = "Calculate length of gestation at birth?";
    static constexpr const char* calcGestCaption = "Calculate gestation";
    // A flash is four toggles, one every 100 ms.
    static constexpr int flashInterval = 100; // milliseconds
    static constexpr int flashToggles = 4;

    // Building (controltable.cpp) and wiring (quorvelform.cpp).
    static std::span<const ControlRow> controlTable();
    void buildControls();
    void arrangeFocusChain();
    void connectHandlings();
    void whenSelected(QRadioButton* option, std::function<void()> handling);

    // Mode and scan data.
    void chooseLmpBased();
    void chooseUltrasoundBased();
    void chooseFetalBiometry();
    void chooseDerivedGestation();
    void arrangeScanData(bool fetalBiometry);
    void repromptEdd();

    // Measurement.
    void chooseMeasurement(Measurement kind);

    // Date lists.
    void lmpOrScanMonthPicked();
    void lmpOrScanDayOrYearPicked();
    void datePrompt();
    void dobMonthPicked();
    void dobDayPicked();
    void dobYearPicked();
    static void refillDays(PickList* days, const QString& monthText);

    // Calculations, question and restart.
    void calculateEdd();
    void calculateGestation();
    void answerYes();
    void answerNo();
    void restart();

    // Flashes.
    void startYesFlash();
    void startGestFlash();
    void startEddFlash();
    static bool countTick(std::int16_t& counter, IntervalTimer* timer);

    void setDefaultButton(QPushButton* button);
    // A calculation, however started, moves the focus on to the next step.
    void handOnFocus(QWidget* next);
    // Tells the announcer of a result withdrawn, or of an item picked in the focused list.
    void noteWithdrawn(QWidget* resultFrame);
    void notePicked(PickList* list);
    void setListAvailable(PickList* list, bool available);

    Variables vars_;
    bool eddButtonBlinking_ = false; // the Calculate EDD flash is hiding or showing its button
    std::function<void()> webLinkHandler_;

    QPushButton* calculateEddButton = nullptr;
    QPushButton* restartButton = nullptr;
    QPushButton* calculateGestationButton = nullptr;
    PickList* measurementValue = nullptr;
    QGroupBox* modeFrame = nullptr;
    QGroupBox* measurementFrame = nullptr;
    QLabel* mmLabel = nullptr;
    QGroupBox* eddFrame = nullptr;
    QGroupBox* gestationFrame = nullptr;
    QGroupBox* questionFrame = nullptr;
    QGroupBox* lmpOrScanDateFrame = nullptr;
    QGroupBox* birthDateFrame = nullptr;
    QGroupBox* scanDataFrame = nullptr;
    LinkLabel* makersLink = nullptr;
    QLabel* logoLabel = nullptr;
    QFrame* linkUnderline = nullptr;
    QRadioButton* lmpOption = nullptr;
    QRadioButton* ultrasoundOption = nullptr;
    PickList* lmpOrScanMonth = nullptr;
    PickList* lmpOrScanDay = nullptr;
    PickList* lmpOrScanYear = nullptr;
    QLabel* lmpOrScanMonthLabel = nullptr;
    QLabel* lmpOrScanDayLabel = nullptr;
    QLabel* lmpOrScanYearLabel = nullptr;
    QRadioButton* derivedGestationOption = nullptr;
    QRadioButton* fetalBiometryOption = nullptr;
    PickList* derivedWeeks = nullptr;
    PickList* derivedDays = nullptr;
    QLabel* derivedWeeksLabel = nullptr;
    QLabel* derivedDaysLabel = nullptr;
    QRadioButton* crlOption = nullptr;
    QRadioButton* bpdOption = nullptr;
    QRadioButton* hcOption = nullptr;
    QRadioButton* yesOption = nullptr;
    QRadioButton* noOption = nullptr;
    QLabel* questionLabel = nullptr;
    PickList* birthMonth = nullptr;
    PickList* birthDay = nullptr;
    PickList* birthYear = nullptr;
    QLabel* birthMonthLabel = nullptr;
    QLabel* birthDayLabel = nullptr;
    QLabel* birthYearLabel = nullptr;
    ResultLabel* eddResult = nullptr;
    ResultLabel* gestationResult = nullptr;
    IntervalTimer* yesFlash = nullptr;
    IntervalTimer* gestationFlash = nullptr;
    IntervalTimer* eddFlash = nullptr;
    Announcer* announcer_ = nullptr;
};

} // namespace quorvel
