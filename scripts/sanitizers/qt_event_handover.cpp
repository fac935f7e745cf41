// Linked into every program of the ThreadSanitizer build (scripts/sanitize.sh). Qt's libraries
// are not instrumented, and their event queue locks with a futex of its own, so
// ThreadSanitizer does not see that a functor which one thread hands to an object's event loop
// (QMetaObject::invokeMethod, queued) is built before that loop calls and deletes it: it would
// report the hand-over itself as a race. This tells ThreadSanitizer of the hand-over as Qt
// makes it: a release on the receiving object when a functor is posted to it, an acquire on the
// object when its event loop delivers a call event to it. Races in what the functor then does,
// and every other access of the project's code, are still checked.
#include <QtCore/qcoreevent.h>
#include <QtCore/qnamespace.h>
#include <QtCore/qobjectdefs.h>

#include <dlfcn.h>

extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);

namespace {

constexpr const char* kInvokeMethodImpl = "_ZN11QMetaObject16invokeMethodImplEP7QObjectPN9QtPrivate"
                                          "15QSlotObjectBaseEN2Qt14ConnectionTypeEPv";
constexpr const char* kRegisterCallback = "_ZN9QInternal16registerCallbackENS_8CallbackEPFbPPvE";

using InvokeMethodImpl = bool (*)(QObject*, QtPrivate::QSlotObjectBase*, Qt::ConnectionType, void*);
using RegisterCallback = bool (*)(QInternal::Callback, qInternalCallback);

// Called by QCoreApplication::notify for every event, before it is delivered: { receiver,
// event, result }. Returns false, so the event goes on as usual.
bool AcquireOnCallEvent(void** data) {
    if (static_cast<QEvent*>(data[1])->type() == QEvent::MetaCall) {
        __tsan_acquire(data[0]);
    }
    return false;
}

__attribute__((constructor)) void WatchCallEvents() {
    // Programs without Qt Core have nothing to watch.
    if (auto registerCallback =
            reinterpret_cast<RegisterCallback>(::dlsym(RTLD_DEFAULT, kRegisterCallback))) {
        registerCallback(QInternal::EventNotifyCallback, AcquireOnCallEvent);
    }
}

} // namespace

// Stands in for Qt's own, which it calls after the release; the project's calls of the
// functor form of QMetaObject::invokeMethod come here.
bool QMetaObject::invokeMethodImpl(QObject* object, QtPrivate::QSlotObjectBase* slot,
                                   Qt::ConnectionType type, void* ret) {
    static const auto qtOwn =
        reinterpret_cast<InvokeMethodImpl>(::dlsym(RTLD_NEXT, kInvokeMethodImpl));
    __tsan_release(object);
    return qtOwn(object, slot, type, ret);
}
