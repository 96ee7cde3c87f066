// The library's entry points for COM: the class factory of the connection
// class, and whether the library may be unloaded.
#include "connection.h"
#include "connection_points.h"
#include "exports.h"
#include "module_state.h"

#include "../interfaces/tracker/library_ids.h"
#include "../platform/com/inproc_server.h"

namespace trackersim {
namespace {

class ClassFactory final : public platform::ServerClassFactory {
public:
    ClassFactory() { ObjectCreated(); }

private:
    ~ClassFactory() override { ObjectDestroyed(); }
    HRESULT Create(REFIID riid, void** out) override { return CreateConnection(riid, out); }
    HRESULT Lock(bool lock) override {
        trackersim::LockServer(lock);
        return S_OK;
    }
};

} // namespace
} // namespace trackersim

TRACKERSIM_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
    return platform::GetServerClassObject(clsid, tracker::CLSID_TrackerConnection, riid, object,
                                          [](platform::ServerClassFactory*& factory) -> HRESULT {
                                              factory = new trackersim::ClassFactory;
                                              return S_OK;
                                          });
}

TRACKERSIM_EXPORT HRESULT DllCanUnloadNow() {
    // Sinks held for a later release are released by this library's code.
    return trackersim::CanUnload() && trackersim::LateSinkCount() == 0 ? S_OK : S_FALSE;
}
