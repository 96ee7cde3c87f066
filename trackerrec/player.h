// Replay: objects that answer the module's calls from a session file. Each
// call must be the one the recording has next (a value object's member read
// again is answered from what it gave before); events fire at their recorded
// times on the thread's timers. The first call that differs stops the replay:
// it and every later call fail with a description naming both.
#pragma once

#include "passed_entries.h"
#include "replay_standing.h"
#include "session_file.h"
#include "wrap.h"

#include "../platform/ui/winuser.h"

#include <map>
#include <optional>

namespace trackerrec {

class Player {
public:
    static Player& Get();

    // Loads the file; on refusal says why on standard error.
    bool Load(const std::string& path);
    bool Loaded() const { return m_loaded; }
    // Where the replay stands. The module calls only in answer to events and
    // to the host, so a call it has owed for a second is not coming: the host
    // is to carry on (its next calls then show where the two part).
    ReplayStanding Standing() const;

    // Objects, numbered in the order their "@" appears.
    uint32_t Newest() const { return m_newest; }
    IUnknown* MakeObject(int index);
    IUnknown* Find(uint32_t id) const;
    uint32_t IdOf(IUnknown* object) const;
    void Forget(uint32_t id);

    // The entry at the cursor when it is a call of `member` on `target`, with
    // its fields. Once the replay is cut short, the first such call further on
    // (unless `lookFurther` is false: a value object's member read again,
    // which the recording has once).
    const SessionEntry* NextCall(uint32_t target, std::string_view member,
                                 std::vector<std::string_view>& fields, bool lookFurther = true);
    // The host closes the session before the recording has played: no event
    // fires any more, and each call the module makes from now on (its
    // closing) is looked for further on in the recording, past what was not
    // played, so that the device closes as the recording's did.
    void CutShort();
    const SessionEntry* Peek() const;
    // Moves past the entry and schedules the events that follow.
    void Consume();
    // The name of a member by its number field (checked at load).
    const std::string& MemberName(std::string_view number) const;
    uint32_t Target(std::string_view field, uint32_t base) const;

    // The doubles read so far, for a double field's "=K".
    RecentDoubles& Doubles() { return m_doubles; }

    // Stops the replay; the call fails with the text as its description.
    HRESULT Diverge(const std::string& actual);
    bool Diverged() const { return !m_divergence.empty(); }
    HRESULT Failed() const;
    // A recorded failure: its result, with its description set.
    static HRESULT RecordedFailure(std::string_view code, std::string_view text);

    // Connection points: the sinks advised on (container, event interface).
    void Advise(uint32_t container, const IID& iid, DWORD cookie, IDispatch* sink);
    void Unadvise(DWORD cookie);

private:
    Player() = default;
    ~Player();
    void ScheduleEvent();
    // Moves the cursor past its entry, noting when (see Standing).
    void MoveOn();
    uint64_t DueAt(const SessionEntry& entry) const;
    // Cut short: moves the cursor to the first call of `member` on `target`
    // from it on, passing over the entries before as if played (their new
    // objects take their numbers, their doubles go into the recent ones).
    // False, with nothing changed, when there is none.
    bool SkipTo(uint32_t target, std::string_view member);
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);
    void FireEvent(const SessionEntry& entry);
    std::string Describe(const SessionEntry& entry) const;

    SessionFile m_file;
    size_t m_cursor = 0;
    size_t m_eventsEnd = 0;       // one past the last event entry
    uint64_t m_cursorMovedAt = 0; // when the cursor last moved on
    bool m_loaded = false;
    bool m_cutShort = false;
    uint32_t m_newest = 0;
    std::map<uint32_t, IUnknown*> m_objects;
    std::map<IUnknown*, uint32_t> m_ids;
    std::string m_divergence;
    uint64_t m_connect = 0;
    bool m_connected = false;
    UINT_PTR m_timer = 0;
    RecentDoubles m_doubles;
    std::vector<uint32_t> m_doubleFields; // by member, once a cut-short replay passes over calls
    struct Sink {
        uint32_t container;
        IID iid;
        ComPtr<IDispatch> sink;
    };
    std::map<DWORD, Sink> m_sinks;
};

// What a replayed object keeps: its id, and for a value object the answers given.
class PlayedCore {
public:
    PlayedCore(uint32_t id, int index) : m_id(id), m_index(index) {}
    virtual ~PlayedCore() { Player::Get().Forget(m_id); }
    PlayedCore(const PlayedCore&) = delete;
    PlayedCore& operator=(const PlayedCore&) = delete;
    uint32_t Id() const { return m_id; }
    bool IsValue() const { return InterfaceAt(m_index).value; }
    HRESULT Query(REFIID riid, void** out);

    struct Answer {
        std::string field;       // a number, flag or string as recorded
        double number = 0;       // a double, resolved
        ComPtr<IUnknown> object; // an object
    };
    std::map<std::string, Answer, std::less<>> m_answers;

protected:
    ULONG m_refs = 1;

private:
    uint32_t m_id;
    int m_index;
};

} // namespace trackerrec
