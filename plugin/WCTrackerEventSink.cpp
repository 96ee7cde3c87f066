// The tracker's errors, warnings and information notices, each shown in a box
// captioned with its number. While an error's box is open, further errors with
// the same number are not shown again.
#include "plugin/WCTrackerEventSink.h"

#include "interfaces/tracker.h"
#include "platform/com/com_error.h"
#include "platform/com/com_ptr.h"
#include "platform/ui/afxwin.h"
#include "plugin/sink_lifetime.h"

#include <string>

IMPLEMENT_DYNAMIC(WCTrackerEventSink, CCmdTarget)

WCTrackerEventSink::WCTrackerEventSink() {
    EnableAutomation();
}
WCTrackerEventSink::~WCTrackerEventSink() = default;
void WCTrackerEventSink::OnFinalRelease() {
    CCmdTarget::OnFinalRelease();
}

BEGIN_DISPATCH_MAP(WCTrackerEventSink, CCmdTarget)
DISP_FUNCTION(WCTrackerEventSink, "InformationArrived", InformationArrived, VT_EMPTY,
              VTS_DISPATCH VTS_DISPATCH)
DISP_FUNCTION(WCTrackerEventSink, "ErrorArrived", ErrorArrived, VT_EMPTY, VTS_DISPATCH VTS_DISPATCH)
DISP_FUNCTION(WCTrackerEventSink, "WarningArrived", WarningArrived, VT_EMPTY,
              VTS_DISPATCH VTS_DISPATCH)
DISP_FUNCTION(WCTrackerEventSink, "InitializeFinished", InitializeFinished, VT_EMPTY,
              VTS_DISPATCH VTS_DISPATCH)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(WCTrackerEventSink, CCmdTarget)
INTERFACE_PART(WCTrackerEventSink, tracker::IID_TrackerEvents, Dispatch)
END_INTERFACE_MAP()

namespace {

struct TrackerMessageBox {
    std::basic_string<WCHAR> text;
    std::basic_string<WCHAR> caption;
};

template <class Message> ComPtr<Message> AsMessage(IDispatch* argument) {
    ComPtr<Message> message;
    ThrowIfNull(argument);
    ThrowIfFailed(argument->QueryInterface(IidOf<Message>(), message.PutVoid()));
    return message;
}

LONG ReadNumber(tracker::TrackerMessage* message) {
    LONG number = 0;
    ThrowIfFailed(message->get_Number(&number));
    return number;
}

// Everything the box shows is read before it opens, so a failing read shows nothing.
TrackerMessageBox ReadMessage(tracker::TrackerMessage* message) {
    ComBstr first, second;
    ThrowIfFailed(message->get_Text1(first.Put()));
    ThrowIfFailed(message->get_Text2(second.Put()));
    TrackerMessageBox box;
    box.text = first.Str() + TEXT('\n') + second.Str();
    CString caption;
    caption.Format(TEXT("#%ld"), static_cast<long>(ReadNumber(message)));
    box.caption = static_cast<LPCWSTR>(caption);
    return box;
}

int Show(const TrackerMessageBox& box, UINT icon) {
    return MessageBoxW(nullptr, box.text.c_str(), box.caption.c_str(), MB_OK | icon);
}

} // namespace

void WCTrackerEventSink::ErrorArrived(IDispatch*, IDispatch* error) {
    ComPtr<tracker::TrackerError> message = AsMessage<tracker::TrackerError>(error);
    if (m_lastErrorNumber != 0 && ReadNumber(message.Get()) == m_lastErrorNumber)
        return; // this error's box is still open
    const LONG number = ReadNumber(message.Get());
    const TrackerMessageBox box = ReadMessage(message.Get());
    m_lastErrorNumber = number;
    // Further events may arrive while the box is open, this sink's included,
    // and the device may be closed or disconnected, destroying this sink.
    const SinkCallGuard alive(*this);
    if (Show(box, MB_ICONERROR) == IDOK)
        m_lastErrorNumber = 0;
}

void WCTrackerEventSink::WarningArrived(IDispatch*, IDispatch* warning) {
    Show(ReadMessage(AsMessage<tracker::TrackerWarning>(warning).Get()), MB_ICONWARNING);
}

void WCTrackerEventSink::InformationArrived(IDispatch*, IDispatch* info) {
    Show(ReadMessage(AsMessage<tracker::TrackerInformation>(info).Get()), MB_ICONINFORMATION);
}

void WCTrackerEventSink::InitializeFinished(IDispatch*, IDispatch*) {
    AfxMessageBox(TEXT("Initialized"), MB_OK | MB_ICONINFORMATION);
}
