#include "status_messages.h"

#include "connection_points.h"

#include <string>

namespace trackersim {
namespace {

template <class I> class MessageObject final : public ComObject<I> {
public:
    MessageObject(platform::WideView text1, platform::WideView text2, LONG number)
        : ComObject<I>(kInterfaceName<I>), m_text1(text1), m_text2(text2), m_number(number) {}
    HRESULT STDMETHODCALLTYPE get_Text1(BSTR* text) override {
        return GiveString(TEXT("TrackerMessage.get_Text1"), m_text1, text);
    }
    HRESULT STDMETHODCALLTYPE get_Text2(BSTR* text) override {
        return GiveString(TEXT("TrackerMessage.get_Text2"), m_text2, text);
    }
    HRESULT STDMETHODCALLTYPE get_Number(LONG* number) override {
        return GiveValue(TEXT("TrackerMessage.get_Number"), m_number, number);
    }

private:
    platform::WideString m_text1;
    platform::WideString m_text2;
    LONG m_number;
};

template <class I>
void Post(DISPID dispid, platform::WideView text1, platform::WideView text2, LONG number) {
    ComPtr<MessageObject<I>> message = Make<MessageObject<I>>(text1, text2, number);
    PostEvent(tracker::IID_TrackerEvents, dispid, [message](IDispatch& sender) {
        return std::vector<ComVariant>{ComVariant::FromDispatch(&sender),
                                       ComVariant::FromDispatch(message->Self())};
    });
}

} // namespace

void FireTrackerMessage(MessageKind kind, platform::WideView text1, platform::WideView text2,
                        LONG number) {
    switch (kind) {
    case MessageKind::Error:
        Post<tracker::TrackerError>(tracker::DISPID_ErrorArrived, text1, text2, number);
        break;
    case MessageKind::Warning:
        Post<tracker::TrackerWarning>(tracker::DISPID_WarningArrived, text1, text2, number);
        break;
    default:
        Post<tracker::TrackerInformation>(tracker::DISPID_InformationArrived, text1, text2, number);
        break;
    }
}

void FireInitializeFinished() {
    Post<tracker::TrackerInformation>(tracker::DISPID_InitializeFinished,
                                      TEXT("Initialization finished"), TEXT(""), 0);
}

} // namespace trackersim
