#include "tracker_link.h"

#include <algorithm>
#include <vector>

namespace trackersim {
namespace {

std::vector<TrackerLink*>& LiveLinks() {
    static std::vector<TrackerLink*> links;
    return links;
}

} // namespace

TrackerLink::TrackerLink() {
    LiveLinks().push_back(this);
}

TrackerLink::~TrackerLink() {
    m_continuous.Stop();
    auto& links = LiveLinks();
    links.erase(std::remove(links.begin(), links.end(), this), links.end());
}

void TrackerLink::End() {
    m_connected = false;
    m_continuous.Stop();
}

bool AnyLinkConnected() {
    const auto& links = LiveLinks();
    return std::any_of(links.begin(), links.end(), [](TrackerLink* l) { return l->Connected(); });
}

bool AnyContinuousRunning() {
    const auto& links = LiveLinks();
    return std::any_of(links.begin(), links.end(),
                       [](TrackerLink* l) { return l->Continuous().Running(); });
}

void StopAllContinuous() {
    for (TrackerLink* link : LiveLinks())
        link->Continuous().Stop();
}

} // namespace trackersim
