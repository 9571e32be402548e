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
    static QString datenice(const Date& xdate);

    // What a click on the link label does; by default nothing.
    void setWebLinkHandler(std::function<void()> handler);

    // The flashes' tick handlings, run by their timers every 100 ms.
    void timer1Tick();
    void timer2Tick();
    void timer3Tick();

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
    void lsMonthPicked();
    void lsDayOrYearPicked();
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
    // Tells screen readers, in one message once the handling has run, the item just picked
    // in the focused list and which results have gone, or that the restart cleared everything.
    void noteWithdrawn(QWidget* resultFrame);
    void notePicked(PickList* list);
    void scheduleAnnouncement();
    void announce();
    void setListAvailable(PickList* list, bool available);

    Variables vars_;
    bool eddButtonBlinking_ = false; // the Calculate EDD flash is hiding or showing its button
    bool eddWithdrawn_ = false;      // results hidden since the last announcement
    bool gestWithdrawn_ = false;
    bool restarting_ = false;
    bool announcementScheduled_ = false;
    QString pickedItem_; // picked in the focused list since the last announcement
    std::function<void()> webLinkHandler_;

    // A control's name says what it is and what it holds: DD drop-down list, Opt option
    // button, Com command button, Lab label, Frame frame; LSDate is the LMP-or-scan date,
    // DOBDate the date of birth. Tests find the controls by these names.
    QPushButton* ComCalcEDD = nullptr;
    QPushButton* ComRestart = nullptr;
    QPushButton* ComCalcGest = nullptr;
    PickList* DDVal = nullptr;
    QGroupBox* FrameLS = nullptr;
    QGroupBox* FrameCBH = nullptr;
    QLabel* Labmm = nullptr;
    QGroupBox* FrameEDD = nullptr;
    QGroupBox* FrameGest = nullptr;
    QGroupBox* FrameQDOB = nullptr;
    QGroupBox* FrameDate = nullptr;
    QGroupBox* FrameDOB = nullptr;
    QGroupBox* FrameUS = nullptr;
    LinkLabel* livelink = nullptr;
    QLabel* Image1 = nullptr;
    QFrame* Line1 = nullptr;
    QRadioButton* OptLMP = nullptr;
    QRadioButton* OptUS = nullptr;
    PickList* DDLSDateM = nullptr;
    PickList* DDLSDateD = nullptr;
    PickList* DDLSDateY = nullptr;
    QLabel* LabLSDateM = nullptr;
    QLabel* LabLSDateD = nullptr;
    QLabel* LabLSDateY = nullptr;
    QRadioButton* OptDG = nullptr;
    QRadioButton* OptFB = nullptr;
    PickList* DDUSW = nullptr;
    PickList* DDUSD = nullptr;
    QLabel* LabUSW = nullptr;
    QLabel* LabUSD = nullptr;
    QRadioButton* OptCRL = nullptr;
    QRadioButton* OptBPD = nullptr;
    QRadioButton* OptHC = nullptr;
    QRadioButton* OptYes = nullptr;
    QRadioButton* OptNo = nullptr;
    QLabel* LabQDOB = nullptr;
    PickList* DDDOBDateM = nullptr;
    PickList* DDDOBDateD = nullptr;
    PickList* DDDOBDateY = nullptr;
    QLabel* LabDOBDateM = nullptr;
    QLabel* LabDOBDateD = nullptr;
    QLabel* LabDOBDateY = nullptr;
    ResultLabel* LabEDD = nullptr;
    ResultLabel* LabGest = nullptr;
    IntervalTimer* Timer1 = nullptr;
    IntervalTimer* Timer2 = nullptr;
    IntervalTimer* Timer3 = nullptr;
    Announcer* announcer_ = nullptr;
};

} // namespace quorvel
