// Random user sessions: picks, option and button clicks, Enter and timer ticks, with the
// window's promises checked after every action. QUORVEL_RANDOM_SEED replays one seed,
// QUORVEL_RANDOM_SEEDS=FIRST-LAST runs a range of seeds for a long session, and
// QUORVEL_RANDOM_ACTIONS sets the actions per seed.

#include "support/formprobe.h"

#include <QRandomGenerator>
#include <vector>

using namespace quorvel;
using test::FormProbe;

namespace {

constexpr int defaultActionsPerSeed = 1500;
// QtTest's watchdog gives each seed, a data row, this long unless told otherwise; a seed of
// very many actions, or a run under a sanitizer, gets this much per action instead.
constexpr qint64 watchdogDefaultMs = 300'000;
constexpr qint64 budgetPerActionMs = 10;
const char* const functionTimeoutVariable = "QTEST_FUNCTION_TIMEOUT";
const std::array<quint32, 4> defaultSeeds = {1, 2, 3, 20261208};

const std::array<const char*, 9> listNames = {"lmpOrScanMonth",   "lmpOrScanDay", "lmpOrScanYear",
                                              "measurementValue", "derivedWeeks", "derivedDays",
                                              "birthMonth",       "birthDay",     "birthYear"};
const std::array<const char*, 11> optionNames = {"lmpOption",
                                                 "ultrasoundOption",
                                                 "fetalBiometryOption",
                                                 "derivedGestationOption",
                                                 "crlOption",
                                                 "bpdOption",
                                                 "hcOption",
                                                 "yesOption",
                                                 "noOption",
                                                 "derivedGestationOption",
                                                 "fetalBiometryOption"};
const std::array<const char*, 3> buttonNames = {"calculateEddButton", "calculateGestationButton",
                                                "restartButton"};
const std::array<const char*, 3> timerNames = {"yesFlash", "gestationFlash", "eddFlash"};

int envNumber(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// The seeds of QUORVEL_RANDOM_SEEDS as FIRST-LAST; none when unset or not such a range.
std::vector<quint32> seedRange()
{
    const QStringList bounds = qEnvironmentVariable("QUORVEL_RANDOM_SEEDS").split('-');
    bool firstOk = false;
    bool lastOk = false;
    const quint32 first = bounds.value(0).toUInt(&firstOk);
    const quint32 last = bounds.value(1).toUInt(&lastOk);
    std::vector<quint32> seeds;
    if (bounds.size() == 2 && firstOk && lastOk) {
        for (quint32 seed = first; seed <= last && seed >= first; ++seed) {
            seeds.push_back(seed);
        }
    }
    return seeds;
}

class Session {
public:
    Session(QuorvelForm& form, quint32 seed) : form_(form), p_(form), random_(seed) {}

    // One random user action; returns what it did, for the failure message.
    QString act()
    {
        switch (random_.bounded(5)) {
        case 0:
        case 1: {
            auto* list = p_.list(listNames[random_.bounded(int(listNames.size()))]);
            if (!p_.usable(list) || list->count() == 0) {
                return "nothing";
            }
            const int index = random_.bounded(list->count());
            list->setCurrentIndex(index);
            return list->objectName() + " pick " + list->itemText(index);
        }
        case 2: {
            auto* option = p_.option(optionNames[random_.bounded(int(optionNames.size()))]);
            if (!p_.usable(option)) {
                return "nothing";
            }
            option->click();
            return option->objectName() + " click";
        }
        case 3: {
            if (random_.bounded(4) == 0) {
                p_.pressEnter();
                return "Enter";
            }
            auto* button = p_.button(buttonNames[random_.bounded(int(buttonNames.size()))]);
            if (!p_.usable(button)) {
                return "nothing";
            }
            button->click();
            return button->objectName() + " click";
        }
        default: {
            const int which = random_.bounded(int(timerNames.size()));
            if (!p_.timer(timerNames[which])->isEnabled()) {
                return "nothing";
            }
            (which == 0   ? form_.yesFlashTick()
             : which == 1 ? form_.gestationFlashTick()
                          : form_.eddFlashTick());
            return QString(timerNames[which]) + " tick";
        }
        }
    }

    QString eddInputs() const
    {
        QString s;
        for (const char* o :
             {"ultrasoundOption", "fetalBiometryOption", "crlOption", "bpdOption"}) {
            s += p_.option(o)->isChecked() ? '1' : '0';
        }
        for (const char* l : {"measurementValue", "derivedWeeks", "derivedDays", "lmpOrScanDay",
                              "lmpOrScanMonth", "lmpOrScanYear"}) {
            s += '|' + p_.list(l)->text();
        }
        return s;
    }

    QString birthInputs() const
    {
        return p_.list("birthDay")->text() + ' ' + p_.list("birthMonth")->text() + ' ' +
               p_.list("birthYear")->text();
    }

    // Every promise the window keeps between actions; empty when all hold.
    QString brokenPromise(const QString& eddBefore, const QString& birthBefore)
    {
        const auto fail = [](const QString& what) { return what; };
        for (const char* row : {"lmpOrScan", "birth"}) {
            const QByteArray r(row);
            const QString month = p_.list(r + "Month")->text();
            const QStringList days = p_.list(r + "Day")->items();
            int n = daysInMonth(month.toStdString());
            const bool leapDayListed =
                r == "birth" && month == "February" && days.size() == 29 &&
                dateFromTexts("29", "February", p_.list(r + "Year")->text().toStdString());
            if (leapDayListed) {
                n = 29;
            }
            if (days.size() != n || days.first() != "1" || days.last() != QString::number(n)) {
                return fail(r + " day list does not match its month");
            }
        }
        for (const char* name : listNames) {
            ++checks_;
            if (p_.list(name)->text().isEmpty()) {
                return fail(QString(name) + " has no pick");
            }
        }
        for (const auto& group : {QStringList{"lmpOption", "ultrasoundOption"},
                                  QStringList{"fetalBiometryOption", "derivedGestationOption"},
                                  QStringList{"crlOption", "bpdOption", "hcOption"},
                                  QStringList{"yesOption", "noOption"}}) {
            ++checks_;
            int selected = 0;
            for (const QString& o : group) {
                selected += p_.option(o.toUtf8())->isChecked() ? 1 : 0;
            }
            if (selected != 1) {
                return fail(group.join('/') + " has not exactly one selection");
            }
        }
        ++checks_;
        if (p_.shown("eddFrame")) {
            const auto edd = p_.eddOnScreen();
            if (!edd || p_.text("eddResult") != QuorvelForm::longDate(edd->edd) ||
                form_.variables().eddDate != edd->edd) {
                return fail("shown EDD differs from the inputs on screen");
            }
        }
        ++checks_;
        if (p_.shown("gestationFrame")) {
            const auto g = p_.gestationOnScreen();
            if (!g || p_.text("gestationResult") != QString::fromStdString(g->caption)) {
                return fail("shown gestation differs from the birth date on screen");
            }
        }
        ++checks_;
        if (eddInputs() != eddBefore) {
            for (const char* w :
                 {"eddFrame", "questionFrame", "birthDateFrame", "gestationFrame"}) {
                if (p_.shown(w)) {
                    return fail(QString(w) + " not withdrawn after an EDD input changed");
                }
            }
        }
        ++checks_;
        if (birthInputs() != birthBefore && p_.shown("gestationFrame")) {
            return fail("gestation not withdrawn after a birth date change");
        }
        ++checks_;
        if ((p_.shown("gestationFrame") && !p_.shown("birthDateFrame")) ||
            (p_.shown("birthDateFrame") && !(p_.shown("questionFrame") && p_.shown("eddFrame") &&
                                             p_.option("yesOption")->isChecked()))) {
            return fail("a later step shown without the one before it");
        }
        ++checks_;
        if (!p_.timer("eddFlash")->isEnabled() &&
            p_.shown("eddFrame") == p_.shown("calculateEddButton")) {
            return fail("Calculate EDD offered beside its result, or neither shown");
        }
        ++checks_;
        if ((!p_.timer("yesFlash")->isEnabled() && p_.option("yesOption")->text().isEmpty()) ||
            (!p_.timer("gestationFlash")->isEnabled() &&
             p_.button("calculateGestationButton")->text().isEmpty())) {
            return fail("a flash ended with its caption blank");
        }
        return {};
    }

    long checks() const { return checks_; }

private:
    QuorvelForm& form_;
    FormProbe p_;
    QRandomGenerator random_;
    long checks_ = 0;
};

} // namespace

class RandomSessionTest : public QObject {
    Q_OBJECT

private slots:
    void promisesHoldAfterEveryAction_data();
    void promisesHoldAfterEveryAction();
    void cleanupTestCase();

private:
    long totalActions_ = 0;
    long totalChecks_ = 0;
};

void RandomSessionTest::promisesHoldAfterEveryAction_data()
{
    QTest::addColumn<quint32>("seed");
    const int replay = envNumber("QUORVEL_RANDOM_SEED", -1);
    if (replay >= 0) {
        QTest::addRow("seed %d", replay) << quint32(replay);
        return;
    }
    std::vector<quint32> seeds = seedRange();
    if (seeds.empty()) {
        seeds.assign(defaultSeeds.begin(), defaultSeeds.end());
    }
    for (const quint32 seed : seeds) {
        QTest::addRow("seed %u", seed) << seed;
    }
}

void RandomSessionTest::promisesHoldAfterEveryAction()
{
    QFETCH(quint32, seed);
    const int actions = envNumber("QUORVEL_RANDOM_ACTIONS", defaultActionsPerSeed);

    QuorvelForm form;
    form.show();
    Session session(form, seed);
    QStringList recent;
    for (int i = 0; i < actions; ++i) {
        const QString edd = session.eddInputs();
        const QString birth = session.birthInputs();
        recent.append(session.act());
        if (recent.size() > 8) {
            recent.removeFirst();
        }
        const QString broken = session.brokenPromise(edd, birth);
        QVERIFY2(broken.isEmpty(),
                 qPrintable(QString("seed %1, action %2: %3 (replay with QUORVEL_RANDOM_SEED=%1 "
                                    "QUORVEL_RANDOM_ACTIONS=%4); last actions: %5")
                                .arg(seed)
                                .arg(i)
                                .arg(broken)
                                .arg(i + 1)
                                .arg(recent.join(", "))));
    }
    qInfo("seed %u: %d actions, %ld invariant checks", seed, actions, session.checks());
    totalActions_ += actions;
    totalChecks_ += session.checks();
}

void RandomSessionTest::cleanupTestCase()
{
    qInfo("all seeds: %ld actions, %ld invariant checks", totalActions_, totalChecks_);
}

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet(functionTimeoutVariable)) {
        const qint64 actions = envNumber("QUORVEL_RANDOM_ACTIONS", defaultActionsPerSeed);
        qputenv(functionTimeoutVariable,
                QByteArray::number(std::max(watchdogDefaultMs, actions * budgetPerActionMs)));
    }
    QApplication app(argc, argv);
    applyAppearance(app);
    RandomSessionTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_randomsession.moc"
