#include "player.h"

#include "events.h"
#include "replay_objects.h"

#include "../interfaces/tracker/connection.h"
#include "../platform/base/text.h"
#include "../platform/com/variant.h"
#include "../platform/ui/clock.h"
#include "../platform/ui/message_loop.h"
#include "../platform/ui/winuser.h"

#include <charconv>
#include <cstdio>
#include <cstring>

namespace trackerrec {
namespace {

void SetDescription(const std::string& text) {
    ComPtr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(create.Put())))
        return;
    platform::WideString wide = platform::WideFromUtf8(text);
    create->SetDescription(wide.data());
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, info.PutVoid())))
        SetErrorInfo(0, info.Get());
}

} // namespace

Player& Player::Get() {
    static Player player;
    return player;
}

Player::~Player() {
    // At exit the module may be gone: its sinks are not called into any more.
    for (auto& [cookie, sink] : m_sinks)
        sink.sink.Detach();
}

bool Player::Load(const std::string& path) {
    std::string error;
    if (!LoadSessionFile(path, m_file, error)) {
        std::fprintf(stderr, "tracker replay: refused %s\n", error.c_str());
        return false;
    }
    m_loaded = true;
    m_connect = platform::CurrentClock().NowMs();
    m_cursorMovedAt = m_connect;
    for (size_t i = m_file.entries.size(); i > 0; --i)
        if (m_file.entries[i - 1].kind == SessionEntry::Event) {
            m_eventsEnd = i;
            break;
        }
    return true;
}

ReplayStanding Player::Standing() const {
    constexpr uint64_t kOwedCallMs = 1000;
    const SessionEntry* entry = Peek();
    if (Diverged())
        return ReplayStanding::Diverged;
    if (!m_loaded || m_cutShort || m_cursor >= m_eventsEnd || !entry)
        return ReplayStanding::NotPlaying;
    if (entry->kind != SessionEntry::Event &&
        platform::CurrentClock().NowMs() - m_cursorMovedAt >= kOwedCallMs)
        return ReplayStanding::AwaitingCall;
    return ReplayStanding::Playing;
}

IUnknown* Player::MakeObject(int index) {
    const uint32_t id = ++m_newest;
    IUnknown* object = MakePlayed(index, id);
    m_objects[id] = object;
    m_ids[object] = id;
    if (*InterfaceAt(index).iid == tracker::Tracker::iid && !m_connected) {
        m_connected = true;
        m_connect = platform::CurrentClock().NowMs();
    }
    return object;
}

uint32_t Player::IdOf(IUnknown* object) const {
    auto found = m_ids.find(object);
    return found == m_ids.end() ? 0 : found->second;
}

void Player::Forget(uint32_t id) {
    if (auto found = m_objects.find(id); found != m_objects.end()) {
        m_ids.erase(found->second);
        m_objects.erase(found);
    }
}

IUnknown* Player::Find(uint32_t id) const {
    auto found = m_objects.find(id);
    return found == m_objects.end() ? nullptr : found->second;
}

const SessionEntry* Player::Peek() const {
    return m_cursor < m_file.entries.size() ? &m_file.entries[m_cursor] : nullptr;
}

const std::string& Player::MemberName(std::string_view number) const {
    uint64_t n = 0;
    IntegerOfField(number, n);
    return m_file.members[n - 1];
}

uint32_t Player::Target(std::string_view field, uint32_t base) const {
    uint64_t back = 0;
    if (!IntegerOfField(field, back) || back >= base)
        return 0;
    return base - static_cast<uint32_t>(back);
}

const SessionEntry* Player::NextCall(uint32_t target, std::string_view member,
                                     std::vector<std::string_view>& fields, bool lookFurther) {
    const SessionEntry* entry = Peek();
    if (!entry)
        return nullptr;
    if (entry->kind == SessionEntry::Call) {
        fields = entry->Fields();
        if (Target(fields[0], m_newest) == target && MemberName(fields[1]) == member)
            return entry;
    }
    if (!m_cutShort || !lookFurther || !SkipTo(target, member))
        return nullptr;
    fields = Peek()->Fields();
    return Peek();
}

void Player::CutShort() {
    if (!m_loaded || Diverged())
        return;
    m_cutShort = true;
    if (m_timer)
        KillTimer(nullptr, std::exchange(m_timer, 0));
}

bool Player::SkipTo(uint32_t target, std::string_view member) {
    if (m_doubleFields.size() != m_file.members.size())
        m_doubleFields = DoubleFieldsOf(m_file.members);
    RecentDoubles doubles = m_doubles;
    uint32_t newest = m_newest;
    for (size_t at = m_cursor; at < m_file.entries.size(); ++at) {
        const SessionEntry& entry = m_file.entries[at];
        const std::vector<std::string_view> fields = entry.Fields();
        if (entry.kind == SessionEntry::Call) {
            if (Target(fields[0], newest) == target && MemberName(fields[1]) == member) {
                m_cursor = at;
                m_newest = newest;
                m_doubles = doubles;
                m_cursorMovedAt = platform::CurrentClock().NowMs();
                return true;
            }
        }
        if (!PassOverEntry(entry, fields, m_doubleFields, newest, doubles))
            break;
    }
    return false;
}

void Player::Consume() {
    MoveOn();
    ScheduleEvent();
}

void Player::MoveOn() {
    ++m_cursor;
    m_cursorMovedAt = platform::CurrentClock().NowMs();
}

std::string Player::Describe(const SessionEntry& entry) const {
    const std::vector<std::string_view> fields = entry.Fields();
    switch (entry.kind) {
    case SessionEntry::End:
        return "the end of the session";
    case SessionEntry::Create:
        return "the creation of the connection object";
    case SessionEntry::Event:
        return "the event " + MemberName(fields[2]) + " at " + std::string(fields[0]) + " ms";
    case SessionEntry::Call:
        break;
    }
    std::string text =
        MemberName(fields[1]) + " on object " + std::to_string(Target(fields[0], m_newest));
    for (size_t i = 2; i < fields.size(); ++i)
        (text += ' ') += fields[i];
    return text;
}

HRESULT Player::Diverge(const std::string& actual) {
    if (m_divergence.empty()) {
        const SessionEntry* expected = Peek();
        m_divergence = "Replay diverged: the module called " + actual +
                       (expected ? "; the recording has " + Describe(*expected) + " (line " +
                                       std::to_string(m_file.LineOf(*expected)) + ")"
                                 : "; the recording has ended");
        std::fprintf(stderr, "tracker replay: %s\n", m_divergence.c_str());
        if (m_timer)
            KillTimer(nullptr, std::exchange(m_timer, 0));
        // A stopped replay lets go of the sinks, later, from the message loop
        // (the module cannot unadvise them once its calls fail).
        platform::PostTask([] {
            std::map<DWORD, Sink> sinks = std::move(Get().m_sinks);
            Get().m_sinks.clear();
        });
    }
    return Failed();
}

HRESULT Player::Failed() const {
    SetDescription(m_divergence);
    return E_FAIL;
}

HRESULT Player::RecordedFailure(std::string_view code, std::string_view text) {
    uint64_t value = 0;
    IntegerOfField(code.substr(1), value, 16);
    std::string description;
    if (UnquoteField(text, description) && !description.empty())
        SetDescription(description);
    else
        SetErrorInfo(0, nullptr);
    return static_cast<HRESULT>(static_cast<uint32_t>(value));
}

void Player::Advise(uint32_t container, const IID& iid, DWORD cookie, IDispatch* sink) {
    m_sinks[cookie] = {container, iid, ComPtr<IDispatch>(sink)};
}

void Player::Unadvise(DWORD cookie) {
    m_sinks.erase(cookie);
}

void Player::ScheduleEvent() {
    const SessionEntry* entry = Peek();
    if (m_timer || Diverged() || m_cutShort || !entry || entry->kind != SessionEntry::Event)
        return;
    const uint64_t now = platform::CurrentClock().NowMs();
    const uint64_t due = DueAt(*entry);
    m_timer = SetTimer(nullptr, 0, static_cast<UINT>(due > now ? due - now : 0), &Player::OnTimer);
}

void CALLBACK Player::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    Player& player = Get();
    KillTimer(nullptr, id);
    if (id != player.m_timer)
        return;
    player.m_timer = 0;
    // Every event due by now, in order (a timer is never shorter than the
    // loop's minimum, so events of one millisecond go together).
    for (;;) {
        const SessionEntry* entry = player.Peek();
        if (player.Diverged() || player.m_cutShort || !entry ||
            entry->kind != SessionEntry::Event ||
            player.DueAt(*entry) > platform::CurrentClock().NowMs())
            break;
        if (player.m_timer)
            KillTimer(nullptr, std::exchange(player.m_timer, 0));
        player.FireEvent(*entry);
    }
    player.ScheduleEvent();
}

uint64_t Player::DueAt(const SessionEntry& entry) const {
    uint64_t at = 0;
    IntegerOfField(entry.Text().substr(0, entry.Text().find(' ')), at);
    return m_connect + at;
}

void Player::FireEvent(const SessionEntry& entry) {
    const uint32_t base = m_newest;
    const std::vector<std::string_view> fields = entry.Fields();
    const uint32_t source = Target(fields[1], base);
    const std::string& name = MemberName(fields[2]);
    IID iid = {};
    const size_t dot = name.rfind('.');
    const DISPID dispid = dot == std::string::npos ? 0 : std::atoi(name.c_str() + dot + 1);
    if (dot == std::string::npos || !EventIid(std::string_view(name).substr(0, dot), iid)) {
        Diverge("nothing (the event " + name + " is unknown)");
        return;
    }
    const size_t count = fields.size() - 3;
    std::vector<ComVariant> args(count);
    std::vector<SAFEARRAY*> arrays(count, nullptr);
    for (size_t i = 0; i < count; ++i) {
        const std::string_view field = fields[3 + i];
        ComVariant& arg = args[count - 1 - i]; // the last argument comes first
        double number = 0;
        if (field == "@") {
            arg.vt = VT_DISPATCH;
            arg.pdispVal = static_cast<IDispatch*>(MakeObject(kDispatchIndex));
        } else if (field[0] == '#') {
            IUnknown* object = Find(Target(field.substr(1), base));
            arg.vt = VT_DISPATCH;
            arg.pdispVal = static_cast<IDispatch*>(object);
            if (object)
                object->AddRef();
        } else if (field == "~") {
            arg.vt = VT_DISPATCH;
        } else if (field[0] == 'i') {
            arg.vt = VT_I4;
            LONG integer = 0;
            IntegerOfField(field.substr(1), integer);
            arg.lVal = integer;
        } else if (field[0] == 'r' && m_doubles.Take(field.substr(1), number)) {
            arg.vt = VT_R8;
            arg.dblVal = number;
        } else if (field == "T" || field == "F") {
            arg.vt = VT_BOOL;
            arg.boolVal = field == "T" ? VARIANT_TRUE : VARIANT_FALSE;
        } else if (field[0] == '"') {
            std::string text;
            UnquoteField(field, text);
            arg = ComVariant::FromString(platform::WideFromUtf8(text).c_str());
        } else if (field[0] == 'b') {
            std::vector<unsigned char> bytes;
            BytesOfField(field, bytes);
            arrays[i] = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
            void* data = nullptr;
            if (arrays[i] && SUCCEEDED(SafeArrayAccessData(arrays[i], &data))) {
                std::memcpy(data, bytes.data(), bytes.size());
                SafeArrayUnaccessData(arrays[i]);
            }
            // Lent, as the library lends its image.
            arg.vt = VT_BYREF | VT_ARRAY | VT_UI1;
            arg.pparray = &arrays[i];
        } else if (field == "N") {
            arg.vt = VT_NULL;
        }
    }
    MoveOn(); // the calls the event causes come next
    DISPPARAMS params = {count ? args.data() : nullptr, nullptr, static_cast<UINT>(count), 0};
    std::vector<ComPtr<IDispatch>> sinks;
    for (const auto& [cookie, sink] : m_sinks)
        if (sink.container == source && sink.iid == iid)
            sinks.push_back(sink.sink);
    for (const ComPtr<IDispatch>& sink : sinks)
        if (!Diverged())
            sink->Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    for (size_t i = 0; i < count; ++i) {
        ComVariant& arg = args[count - 1 - i];
        if (arg.vt == (VT_BYREF | VT_ARRAY | VT_UI1))
            arg.vt = VT_EMPTY; // the array is ours, destroyed below
        if (arrays[i])
            SafeArrayDestroy(arrays[i]);
    }
    ScheduleEvent();
}

} // namespace trackerrec
