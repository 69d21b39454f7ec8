#pragma once

#include <QObject>

// The program's handlers run event loops of their own (DoEvents, modal windows, message boxes),
// and a handler below such a loop may still use what a handler inside it unloads. So windows,
// widgets and forms that go away are destroyed only when control is back in the outermost event
// loop, where no handler of the program is running.
namespace frontend {

// Marks an event loop run inside a handler for its lifetime.
class NestedLoopScope {
  public:
    NestedLoopScope();
    ~NestedLoopScope();
    NestedLoopScope(const NestedLoopScope&) = delete;
    NestedLoopScope& operator=(const NestedLoopScope&) = delete;
};

int NestedLoopDepth();

// Deletes the object when control is back in the outermost event loop.
void DeleteWhenOutermost(QObject* object);
// Asks for the objects of unloaded forms to be destroyed then too.
void DestroyUnloadedFormsWhenOutermost();
// Destroys what waits, now; for the end of the program and of tests, when no handler runs.
void DestroyWaitingObjects();

}  // namespace frontend
