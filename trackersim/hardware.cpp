#include "hardware.h"

namespace trackersim {
namespace {

std::vector<TargetSpec> DefaultTargets() {
    return {
        {TargetKind::Probe, TEXT("Q-Wand"), 3.0},
        {TargetKind::Reflector, TEXT("RRR 1.5in"), 19.05},
        {TargetKind::CustomReflector, TEXT("Custom reflector"), 12.7},
        {TargetKind::RadiusTarget, TEXT("Radius target"), 6.35},
        {TargetKind::Other, TEXT("Tooling target"), 0.0, false},
        {TargetKind::Other, TEXT("Surface"), 0.0, true, true},
    };
}

std::vector<ProfileSpec> DefaultProfiles() {
    return {
        {ProfileKind::Stationary, TEXT("Stationary"), 1, 0.0},
        {ProfileKind::ContinuousTime, TEXT("Continuous Time"), 1, 100.0},
        {ProfileKind::ContinuousDistance, TEXT("Continuous Distance"), 1, 1.0},
        {ProfileKind::AreaScan, TEXT("Area Scan"), 1, 0.0},
        {ProfileKind::Custom, TEXT("Custom Trigger"), 1, 0.0},
    };
}

// Four decimal numbers 0..255 separated by dots.
bool IsDottedIpv4(platform::WideView text) {
    int parts = 0;
    size_t i = 0;
    while (true) {
        int value = 0;
        int digits = 0;
        while (i < text.size() && text[i] >= TEXT('0') && text[i] <= TEXT('9') && digits < 4) {
            value = value * 10 + (text[i] - TEXT('0'));
            ++digits;
            ++i;
        }
        if (digits == 0 || digits > 3 || value > 255)
            return false;
        ++parts;
        if (i == text.size())
            return parts == 4;
        if (text[i] != TEXT('.') || parts == 4)
            return false;
        ++i;
    }
}

} // namespace

Hardware& TheHardware() {
    static Hardware hardware = [] {
        Hardware h;
        h.targets = DefaultTargets();
        h.profiles = DefaultProfiles();
        return h;
    }();
    return hardware;
}

void ResetHardware() {
    Hardware& h = TheHardware();
    const platform::WideString address = h.address;
    h = Hardware{};
    h.targets = DefaultTargets();
    h.profiles = DefaultProfiles();
    // The address of the last connect is not configuration.
    h.address = address;
}

ProfileSpec DefaultProfile(ProfileKind kind) {
    for (const ProfileSpec& p : DefaultProfiles())
        if (p.kind == kind)
            return p;
    return {kind, TEXT("Profile"), 1, 0.0};
}

bool AcceptsAddress(platform::WideView address) {
    const Hardware& h = TheHardware();
    if (h.acceptedAddresses.empty())
        return IsDottedIpv4(address);
    for (const platform::WideString& accepted : h.acceptedAddresses)
        if (accepted == address)
            return true;
    return false;
}

} // namespace trackersim
