#include "replay_objects.h"

#include "events.h"
#include "interface_list.h"
#include "member_macros.h"
#include "no_type_info.h"
#include "player.h"

#include "../platform/base/text.h"

#include <cstring>
#include <tuple>

namespace trackerrec {
namespace {

// An object field: "@" makes the next object, "#K" is an earlier one, "~" null.
bool ObjectField(std::string_view field, int index, uint32_t base, IUnknown*& object) {
    Player& player = Player::Get();
    object = nullptr;
    if (field == "~")
        return true;
    if (field == "@") {
        object = player.MakeObject(index);
        return true;
    }
    if (field.size() < 2 || field[0] != '#')
        return false;
    object = player.Find(player.Target(field.substr(1), base));
    if (object)
        object->AddRef();
    return object != nullptr;
}

// A parameter of a replayed member: compared with the recording (passed in)
// or set from it (given out).
template <class P> struct Played {
    P value;
    std::string Text() const {
        if constexpr (std::is_same_v<P, VARIANT_BOOL>)
            return value ? "T" : "F";
        else
            return std::to_string(value);
    }
    bool Matches(const std::vector<std::string_view>& fields, size_t& at, uint32_t) {
        if (at >= fields.size())
            return false;
        const std::string_view field = fields[at++];
        if constexpr (std::is_floating_point_v<P>) {
            double recorded = 0;
            return Player::Get().Doubles().Take(field, recorded) &&
                   std::memcmp(&recorded, &value, sizeof value) == 0;
        } else {
            return field == Text();
        }
    }
    bool Set(const std::vector<std::string_view>&, size_t&, uint32_t, PlayedCore::Answer&) {
        return true;
    }
    void FromAnswer(const PlayedCore::Answer&) {}
};

template <> struct Played<BSTR> {
    BSTR value;
    std::string Text() const {
        return value
                   ? "\"" + platform::Utf8FromWide(platform::WideView(value, SysStringLen(value))) +
                         "\""
                   : "~";
    }
    bool Matches(const std::vector<std::string_view>& fields, size_t& at, uint32_t) {
        if (at >= fields.size())
            return false;
        const std::string_view field = fields[at++];
        std::string text;
        if (field == "~")
            return value == nullptr;
        return UnquoteField(field, text) && value &&
               text == platform::Utf8FromWide(platform::WideView(value, SysStringLen(value)));
    }
    bool Set(const std::vector<std::string_view>&, size_t&, uint32_t, PlayedCore::Answer&) {
        return true;
    }
    void FromAnswer(const PlayedCore::Answer&) {}
};

template <ComInterface T> struct Played<T*> {
    T* value;
    std::string Text() const { return value ? "(an object)" : "~"; }
    bool Matches(const std::vector<std::string_view>& fields, size_t& at, uint32_t base) {
        if (at >= fields.size())
            return false;
        const std::string_view field = fields[at++];
        Player& player = Player::Get();
        if (field == "~")
            return value == nullptr;
        if (field == "?")
            return true;
        return field.size() > 1 && field[0] == '#' &&
               static_cast<void*>(player.Find(player.Target(field.substr(1), base))) ==
                   static_cast<void*>(value);
    }
    bool Set(const std::vector<std::string_view>&, size_t&, uint32_t, PlayedCore::Answer&) {
        return true;
    }
    void FromAnswer(const PlayedCore::Answer&) {}
};

// Given out: a number, flag, string or object.
template <class T> struct PlayedOut {
    T* value;
    std::string Text() const { return {}; }
    bool Matches(const std::vector<std::string_view>&, size_t&, uint32_t) { return true; }
};

template <> struct Played<BSTR*> : PlayedOut<BSTR> {
    bool Set(const std::vector<std::string_view>& fields, size_t& at, uint32_t,
             PlayedCore::Answer& answer) {
        if (at >= fields.size())
            return false;
        answer.field = std::string(fields[at++]);
        return Give(answer);
    }
    void FromAnswer(const PlayedCore::Answer& answer) { Give(answer); }
    bool Give(const PlayedCore::Answer& answer) {
        std::string text;
        if (!value)
            return true;
        *value = nullptr;
        if (answer.field == "~")
            return true;
        if (!UnquoteField(answer.field, text))
            return false;
        const platform::WideString wide = platform::WideFromUtf8(text);
        *value = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
        return true;
    }
};

template <class T>
requires std::is_arithmetic_v<T>
struct Played<T*> : PlayedOut<T> {
    bool Set(const std::vector<std::string_view>& fields, size_t& at, uint32_t,
             PlayedCore::Answer& answer) {
        if (at >= fields.size())
            return false;
        answer.field = std::string(fields[at++]);
        if constexpr (std::is_floating_point_v<T>)
            if (!Player::Get().Doubles().Take(answer.field, answer.number))
                return false;
        return Give(answer);
    }
    void FromAnswer(const PlayedCore::Answer& answer) { Give(answer); }
    bool Give(const PlayedCore::Answer& answer) {
        if (!this->value)
            return true;
        if constexpr (std::is_floating_point_v<T>) {
            *this->value = answer.number;
            return true;
        } else if constexpr (std::is_same_v<T, VARIANT_BOOL>) {
            *this->value = answer.field == "T" ? VARIANT_TRUE : VARIANT_FALSE;
            return answer.field == "T" || answer.field == "F";
        } else {
            long long number = 0;
            if (!IntegerOfField(answer.field, number))
                return false;
            *this->value = static_cast<T>(number);
            return true;
        }
    }
};

template <ComInterface T> struct Played<T**> : PlayedOut<T*> {
    bool Set(const std::vector<std::string_view>& fields, size_t& at, uint32_t base,
             PlayedCore::Answer& answer) {
        if (at >= fields.size())
            return false;
        IUnknown* object = nullptr;
        if (!ObjectField(fields[at++], IndexOfType<T>(), base, object))
            return false;
        answer.object = ComPtr<IUnknown>::Attach(object);
        FromAnswer(answer);
        return true;
    }
    void FromAnswer(const PlayedCore::Answer& answer) {
        if (!this->value)
            return;
        *this->value = static_cast<T*>(answer.object.Get());
        if (*this->value)
            (*this->value)->AddRef();
    }
};

template <class... P> HRESULT Play(PlayedCore& self, const char* name, P... args) {
    Player& player = Player::Get();
    if (player.Diverged())
        return player.Failed();
    std::tuple<Played<P>...> params{Played<P>{args}...};
    auto actual = [&] {
        std::string text = std::string(name) + " on object " + std::to_string(self.Id());
        std::apply([&](auto&... p) { ((text += p.Text().empty() ? "" : " " + p.Text()), ...); },
                   params);
        return text;
    };
    std::vector<std::string_view> fields;
    const bool readAgain = kPlainRead<P...> && self.IsValue() && self.m_answers.count(name);
    const SessionEntry* entry = player.NextCall(self.Id(), name, fields, !readAgain);
    const uint32_t base = player.Newest();
    if (!entry) {
        if (kPlainRead<P...> && self.IsValue())
            if (auto found = self.m_answers.find(name); found != self.m_answers.end()) {
                std::apply([&](auto&... p) { (p.FromAnswer(found->second), ...); }, params);
                return S_OK;
            }
        return player.Diverge(actual());
    }
    size_t at = 2;
    bool same = true;
    std::apply([&](auto&... p) { ((same = same && p.Matches(fields, at, base)), ...); }, params);
    if (!same)
        return player.Diverge(actual());
    if (at < fields.size() && fields[at][0] == '!') {
        const std::string_view code = fields[at];
        const std::string_view text = at + 1 < fields.size() ? fields[at + 1] : std::string_view();
        player.Consume();
        return Player::RecordedFailure(code, text);
    }
    PlayedCore::Answer answer;
    bool ok = true;
    std::apply([&](auto&... p) { ((ok = ok && p.Set(fields, at, base, answer)), ...); }, params);
    if (!ok)
        return player.Diverge(actual() + " (the recorded answer cannot be read)");
    player.Consume();
    if (kPlainRead<P...> && self.IsValue())
        self.m_answers[name] = std::move(answer);
    return S_OK;
}

template <class I> class PlayedOf : public I, public PlayedCore {
public:
    PlayedOf(uint32_t id, int index) : PlayedCore(id, index) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        return Query(riid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }
};

template <class I> class PlayedDispatchOf : public WithoutTypeInfo<PlayedOf<I>> {
public:
    using WithoutTypeInfo<PlayedOf<I>>::WithoutTypeInfo;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }
};

#define QN_PLAY_MEMBER(Declaring, name, ...)                                                       \
    HRESULT STDMETHODCALLTYPE name(QN_PARAMS(__VA_ARGS__)) override {                              \
        return Play(*this, #Declaring "." #name QN_ARGS(__VA_ARGS__));                             \
    }

#define QN_PLAYED_CLASS(Name, Kind)                                                                \
    class Played_##Name final : public PlayedDispatchOf<tracker::Name> {                           \
    public:                                                                                        \
        using PlayedDispatchOf::PlayedDispatchOf;                                                  \
        QN_MEMBERS_##Name(QN_PLAY_MEMBER)                                                          \
    };
QN_TRACKER_INTERFACES(QN_PLAYED_CLASS)

class PlayedDispatch final : public PlayedDispatchOf<IDispatch> {
public:
    using PlayedDispatchOf::PlayedDispatchOf;
};

// The recorded answer of a call without parameters of its own.
HRESULT PlayedResult(const std::vector<std::string_view>& fields, size_t at) {
    Player& player = Player::Get();
    player.Consume();
    if (at < fields.size() && fields[at][0] == '!')
        return Player::RecordedFailure(fields[at], at + 1 < fields.size() ? fields[at + 1] : "");
    return S_OK;
}

class PlayedConnectionPoint final : public PlayedOf<IConnectionPoint> {
public:
    using PlayedOf::PlayedOf;
    uint32_t m_container = 0;
    IID m_iid = {};

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
        if (!iid)
            return E_POINTER;
        *iid = m_iid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** c) override {
        if (c)
            *c = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
        Player& player = Player::Get();
        if (player.Diverged())
            return player.Failed();
        std::vector<std::string_view> fields;
        const SessionEntry* entry = player.NextCall(Id(), "IConnectionPoint.Advise", fields);
        if (!entry || fields.size() < 4)
            return player.Diverge("IConnectionPoint.Advise on object " + std::to_string(Id()) +
                                  " " + EventName(m_iid));
        long long recorded = 0;
        IntegerOfField(fields[2], recorded);
        if (cookie)
            *cookie = static_cast<DWORD>(recorded);
        const HRESULT hr = PlayedResult(fields, 3);
        if (SUCCEEDED(hr) && sink) {
            ComPtr<IDispatch> target;
            if (SUCCEEDED(sink->QueryInterface(m_iid, target.PutVoid())))
                player.Advise(m_container, m_iid, static_cast<DWORD>(recorded), target.Get());
        }
        return hr;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
        Player& player = Player::Get();
        if (player.Diverged())
            return player.Failed();
        std::vector<std::string_view> fields;
        const SessionEntry* entry = player.NextCall(Id(), "IConnectionPoint.Unadvise", fields);
        if (!entry || fields.size() < 3 || fields[2] != std::to_string(cookie))
            return player.Diverge("IConnectionPoint.Unadvise on object " + std::to_string(Id()) +
                                  " " + std::to_string(cookie));
        player.Unadvise(cookie);
        return PlayedResult(fields, 3);
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override {
        if (connections)
            *connections = nullptr;
        return E_NOTIMPL;
    }
};

class PlayedContainer final : public PlayedOf<IConnectionPointContainer> {
public:
    using PlayedOf::PlayedOf;

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override {
        if (points)
            *points = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** out) override {
        Player& player = Player::Get();
        if (out)
            *out = nullptr;
        if (player.Diverged())
            return player.Failed();
        const std::string name = EventName(riid);
        std::vector<std::string_view> fields;
        const SessionEntry* entry =
            player.NextCall(Id(), "IConnectionPointContainer.FindConnectionPoint", fields);
        const uint32_t base = player.Newest();
        if (!entry || fields.size() < 4 || fields[2] != name)
            return player.Diverge("IConnectionPointContainer.FindConnectionPoint on object " +
                                  std::to_string(Id()) + " " + name);
        if (fields[3][0] == '!')
            return PlayedResult(fields, 3);
        IUnknown* object = nullptr;
        if (!ObjectField(fields[3], kConnectionPointIndex, base, object))
            return player.Diverge("IConnectionPointContainer.FindConnectionPoint (the recorded "
                                  "answer cannot be read)");
        auto* point = static_cast<PlayedConnectionPoint*>(static_cast<IConnectionPoint*>(object));
        point->m_container = Id();
        point->m_iid = riid;
        player.Consume();
        if (out)
            *out = point;
        else
            object->Release();
        return S_OK;
    }
};

} // namespace

IUnknown* MakePlayed(int index, uint32_t id) {
#define QN_PLAYED_ENTRY(Name, Kind)                                                                \
    if (*InterfaceAt(index).iid == tracker::Name::iid)                                             \
        return static_cast<tracker::Name*>(new Played_##Name(id, index));
    QN_TRACKER_INTERFACES(QN_PLAYED_ENTRY)
    if (index == kConnectionPointIndex)
        return static_cast<IConnectionPoint*>(new PlayedConnectionPoint(id, index));
    if (index == kConnectionPointContainerIndex)
        return static_cast<IConnectionPointContainer*>(new PlayedContainer(id, index));
    return static_cast<IDispatch*>(new PlayedDispatch(id, kDispatchIndex));
}

HRESULT PlayedCore::Query(REFIID riid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    Player& player = Player::Get();
    if (player.Diverged())
        return player.Failed();
    const bool identity = riid == IID_IUnknown || riid == IID_IDispatch;
    const int index = identity ? kDispatchIndex : InterfaceIndex(riid);
    if (index < 0)
        return E_NOINTERFACE; // the recorder hands such queries through unrecorded
    const std::string name =
        std::string("QI.") + (riid == IID_IUnknown ? "IUnknown" : InterfaceAt(index).name);
    std::vector<std::string_view> fields;
    const SessionEntry* entry =
        player.NextCall(m_id, name, fields, !(IsValue() && m_answers.count(name)));
    const uint32_t base = player.Newest();
    if (!entry) {
        if (IsValue())
            if (auto found = m_answers.find(name); found != m_answers.end()) {
                if (found->second.field[0] == '!')
                    return Player::RecordedFailure(found->second.field, "");
                IUnknown* object = player.Find(static_cast<uint32_t>(found->second.number));
                if (object) {
                    object->AddRef();
                    *out = object;
                    return S_OK;
                }
            }
        return player.Diverge(name + " on object " + std::to_string(m_id));
    }
    if (fields.size() < 3)
        return player.Diverge(name + " (the recorded answer cannot be read)");
    if (fields[2][0] == '!') {
        if (IsValue())
            m_answers[name].field = std::string(fields[2]);
        return PlayedResult(fields, 2);
    }
    IUnknown* object = nullptr;
    if (!ObjectField(fields[2], index, base, object))
        return player.Diverge(name + " on object " + std::to_string(m_id) +
                              " (the recorded answer cannot be read)");
    player.Consume();
    if (IsValue() && object) {
        // Kept by id: a facet asked back for its object must not hold it.
        PlayedCore::Answer& answer = m_answers[name];
        answer.field = "#";
        answer.number = static_cast<double>(player.IdOf(object));
    }
    *out = object;
    return object ? S_OK : E_NOINTERFACE;
}

HRESULT CreatePlayedConnection(REFIID riid, void** out) {
    Player& player = Player::Get();
    *out = nullptr;
    if (player.Diverged())
        return player.Failed();
    const SessionEntry* entry = player.Peek();
    if (!entry || entry->kind != SessionEntry::Create || entry->Fields()[0] != "@")
        return player.Diverge("CoCreateInstance of the connection class");
    IUnknown* connection = player.MakeObject(kDispatchIndex);
    player.Consume();
    const HRESULT hr = connection->QueryInterface(riid, out);
    connection->Release();
    return hr;
}

} // namespace trackerrec
