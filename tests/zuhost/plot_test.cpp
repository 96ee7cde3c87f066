// --plot: the picture is read back as a browser would see it: every record
// drawn in each of the three views at one scale, the probe direction as a
// line, confirm and cancel marked.
#include "host/svg_plot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

struct Element {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string view; // the id of the view it is drawn in
};

// The elements of the SVG with their attributes, in order; enough XML for
// what the plot writes (no entities in attribute values, no CDATA).
std::vector<Element> Elements(const std::string& svg) {
    std::vector<Element> out;
    std::string view;
    size_t at = 0;
    while ((at = svg.find('<', at)) != std::string::npos) {
        const size_t end = svg.find('>', at);
        if (end == std::string::npos)
            break;
        const std::string tag = svg.substr(at + 1, end - at - 1);
        at = end + 1;
        if (tag.empty() || tag[0] == '?')
            continue;
        if (tag[0] == '/') {
            if (tag == "/g")
                view.clear();
            continue;
        }
        Element e;
        const size_t space = tag.find_first_of(" /");
        e.name = tag.substr(0, space);
        for (size_t pos = space; pos != std::string::npos && pos < tag.size();) {
            const size_t eq = tag.find("=\"", pos);
            if (eq == std::string::npos)
                break;
            const size_t nameStart = tag.find_last_of(' ', eq) + 1;
            const size_t close = tag.find('"', eq + 2);
            e.attributes[tag.substr(nameStart, eq - nameStart)] =
                tag.substr(eq + 2, close - eq - 2);
            pos = close + 1;
        }
        if (e.name == "g")
            view = e.attributes["id"];
        e.view = view;
        out.push_back(e);
    }
    return out;
}

double Number(const Element& e, const char* attribute) {
    return std::atof(e.attributes.at(attribute).c_str());
}

SessionPoint Point(int type, uint64_t seq, Vec3 p, Vec3 normal) {
    SessionPoint point;
    point.type = type;
    point.seq = seq;
    point.point = p;
    point.normal = normal;
    return point;
}

} // namespace

TEST(ZuhostPlot, EveryRecordIsInEachViewAtOneScaleWithItsProbeDirection) {
    // The probe points down (-Z): the frame's Z axis is +Z.
    const std::vector<SessionPoint> points = {
        Point(ZDEV_MSG_MEASUREMENT, 1, {0, 0, 0}, {0, 0, 1}),
        Point(ZDEV_MSG_MEASUREMENT, 2, {100, 0, 0}, {0, 0, 1}),
        Point(ZDEV_MSG_MEASUREMENT, 3, {0, 50, 0}, {0, 0, 1}),
        Point(ZDEV_MSG_MEASUREMENT, 4, {0, 0, 25}, {-1, 0, 0}),
        Point(ZDEV_MSG_TARGET_POSITION, 5, {10, 10, 10}, {0, 0, 1}),
        Point(ZDEV_MSG_CONFIRM, 6, {0, 50, 0}, {0, 0, 1}),
        Point(ZDEV_MSG_CANCEL, 7, {100, 0, 0}, {0, 0, 1}),
    };
    const std::vector<Element> elements = Elements(PlotSvg(points));
    ASSERT_FALSE(elements.empty());
    EXPECT_EQ(elements[0].name, "svg");
    std::map<std::string, std::map<std::string, const Element*>> circles, lines; // view, seq
    int confirms = 0, cancels = 0;
    for (const Element& e : elements) {
        if (!e.attributes.count("data-seq"))
            continue;
        const std::string& seq = e.attributes.at("data-seq");
        if (e.name == "circle")
            circles[e.view][seq] = &e;
        else if (e.name == "line")
            lines[e.view][seq] = &e;
        else if (e.name == "rect" && e.attributes.at("data-kind") == "confirm" && seq == "6")
            ++confirms;
        else if (e.name == "path" && e.attributes.at("data-kind") == "cancel" && seq == "7")
            ++cancels;
    }
    EXPECT_EQ(confirms, 3);
    EXPECT_EQ(cancels, 3);
    ASSERT_EQ(circles.size(), 3u);
    for (const char* view : {"top", "front", "side"}) {
        ASSERT_EQ(circles[view].size(), 5u) << view;
        ASSERT_EQ(lines[view].size(), 4u) << view << ": one line per measurement";
        EXPECT_EQ(circles[view]["5"]->attributes.at("data-kind"), "target-position");
    }
    auto x = [&](const char* view, const char* seq) { return Number(*circles[view][seq], "cx"); };
    auto y = [&](const char* view, const char* seq) { return Number(*circles[view][seq], "cy"); };
    // One scale: 100 mm along X spans twice the 50 mm along Y, four times the 25 along Z.
    const double scale = (x("top", "2") - x("top", "1")) / 100;
    EXPECT_GT(scale, 0);
    EXPECT_NEAR(y("top", "1") - y("top", "3"), 50 * scale, 0.02) << "top: Y up";
    EXPECT_NEAR(y("front", "1") - y("front", "4"), 25 * scale, 0.02) << "front: Z up";
    EXPECT_NEAR(x("side", "3") - x("side", "1"), 50 * scale, 0.02) << "side: Y right";
    EXPECT_NEAR(x("front", "2") - x("front", "1"), 100 * scale, 0.02);
    // The probe pointing down is drawn downwards in the front view, and not at
    // all (a dot) from above; the one along +X points right.
    const Element& down = *lines["front"]["1"];
    EXPECT_GT(Number(down, "y2"), Number(down, "y1"));
    EXPECT_DOUBLE_EQ(Number(down, "x2"), Number(down, "x1"));
    const Element& above = *lines["top"]["1"];
    EXPECT_DOUBLE_EQ(Number(above, "x2"), Number(above, "x1"));
    EXPECT_DOUBLE_EQ(Number(above, "y2"), Number(above, "y1"));
    const Element& sideways = *lines["top"]["4"];
    EXPECT_GT(Number(sideways, "x2"), Number(sideways, "x1"));
}

TEST(ZuhostPlot, AnEmptySessionIsStillAPicture) {
    const std::vector<Element> elements = Elements(PlotSvg({}));
    int views = 0;
    for (const Element& e : elements)
        views += e.name == "g";
    EXPECT_EQ(views, 3);
}
