#include "qt/outermost_loop.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <vector>

#include "forms/form_registry.h"

namespace frontend {
namespace {

struct Waiting {
    int depth = 0;
    bool sweepQueued = false;
    bool formsUnloaded = false;
    std::vector<QPointer<QObject>> objects;
};

Waiting& State() {
    static Waiting waiting;
    return waiting;
}

void Sweep() {
    State().sweepQueued = false;
    if (State().depth == 0) {
        DestroyWaitingObjects();
    }
}

void QueueSweep() {
    Waiting& state = State();
    if (state.sweepQueued || QCoreApplication::instance() == nullptr) {
        return;
    }
    state.sweepQueued = true;
    QTimer::singleShot(0, QCoreApplication::instance(), &Sweep);
}

bool AnythingWaits() {
    return !State().objects.empty() || State().formsUnloaded;
}

}  // namespace

NestedLoopScope::NestedLoopScope() {
    ++State().depth;
}

NestedLoopScope::~NestedLoopScope() {
    if (--State().depth == 0 && AnythingWaits()) {
        QueueSweep();
    }
}

int NestedLoopDepth() {
    return State().depth;
}

void DeleteWhenOutermost(QObject* object) {
    State().objects.emplace_back(object);
    QueueSweep();
}

void DestroyUnloadedFormsWhenOutermost() {
    State().formsUnloaded = true;
    QueueSweep();
}

void DestroyWaitingObjects() {
    // Taken out first: a destructor may retire further objects.
    std::vector<QPointer<QObject>> objects = std::move(State().objects);
    State().objects.clear();
    for (const QPointer<QObject>& object : objects) {
        delete object.data();
    }
    if (State().formsUnloaded) {
        State().formsUnloaded = false;
        forms::DestroyUnloadedForms();
    }
}

}  // namespace frontend
