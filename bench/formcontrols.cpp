#include "formcontrols.h"

#include <cstdio>
#include <cstdlib>

namespace quorvel::bench {

namespace {

template <typename T>
T* find(const QuorvelForm& form, const char* name)
{
    auto* object = form.findChild<T*>(QString::fromUtf8(name));
    if (object == nullptr) {
        fail(name);
    }
    return object;
}

} // namespace

QWidget* FormControls::widget(const char* name) const
{
    return find<QWidget>(form_, name);
}

PickList* FormControls::list(const char* name) const
{
    return find<PickList>(form_, name);
}

QAbstractButton* FormControls::button(const char* name) const
{
    return find<QAbstractButton>(form_, name);
}

IntervalTimer* FormControls::timer(const char* name) const
{
    return find<IntervalTimer>(form_, name);
}

bool FormControls::shown(const char* name) const
{
    return widget(name)->isVisibleTo(&form_);
}

void FormControls::pick(const char* name, const QString& item) const
{
    auto* l = list(name);
    const int index = l->findText(item);
    if (index < 0) {
        fail(name);
    }
    l->setCurrentIndex(index);
}

void FormControls::finishFlashes() const
{
    while (timer("Timer1")->isEnabled()) {
        form_.timer1Tick();
    }
    while (timer("Timer2")->isEnabled()) {
        form_.timer2Tick();
    }
    while (timer("Timer3")->isEnabled()) {
        form_.timer3Tick();
    }
}

void fail(const char* what)
{
    std::fprintf(stderr, "quorvel_bench: unexpected window state: %s\n", what);
    std::exit(EXIT_FAILURE);
}

} // namespace quorvel::bench
