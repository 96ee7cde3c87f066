#include "host/svg_plot.h"

#include "host/record_json.h"

#include "platform/base/file_names.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

constexpr double kPanel = 360; // a view's drawing area, in pixels
constexpr double kMargin = 30; // around each view
constexpr double kTick = 14;   // length of a probe-direction line, in pixels
constexpr double kTitle = 40;  // the caption above the views

struct View {
    const char* name;
    const char* right;
    const char* up;
    int u, v; // the axes shown across and upwards: 0 x, 1 y, 2 z
};
constexpr View kViews[] = {
    {"top", "X", "Y", 0, 1}, {"front", "X", "Z", 0, 2}, {"side", "Y", "Z", 1, 2}};

double Axis(const Vec3& p, int axis) {
    return axis == 0 ? p.x : axis == 1 ? p.y : p.z;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

} // namespace

std::string PlotSvg(const std::vector<SessionPoint>& points) {
    // One scale for every view: the largest extent along any axis fills a panel.
    double low[3] = {0, 0, 0}, high[3] = {0, 0, 0};
    bool seen[3] = {false, false, false};
    for (const SessionPoint& p : points)
        for (int a = 0; a < 3; ++a) {
            const double value = Axis(p.point, a);
            if (!std::isfinite(value))
                continue;
            low[a] = seen[a] ? std::min(low[a], value) : value;
            high[a] = seen[a] ? std::max(high[a], value) : value;
            seen[a] = true;
        }
    double extent = 0;
    for (int a = 0; a < 3; ++a)
        extent = std::max(extent, high[a] - low[a]);
    const double scale = extent > 0 ? kPanel / extent : 1.0;
    const double width = 3 * (kPanel + 2 * kMargin), height = kTitle + kPanel + 2 * kMargin + 20;

    std::string svg;
    svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(width) + "\" height=\"" +
           Number(height) + "\" viewBox=\"0 0 " + Number(width) + " " + Number(height) + "\">\n";
    // Colours as attributes rather than a style sheet, which simpler viewers ignore.
    svg += "<text x=\"10\" y=\"18\" font-family=\"sans-serif\" font-size=\"12\">zuhost session: " +
           std::to_string(points.size()) + " records; 1 mm = " + Number(scale) +
           " px; blue: measurement with its probe direction, grey: target position, green "
           "square: confirm, red cross: cancel</text>\n";
    for (int i = 0; i < 3; ++i) {
        const View& view = kViews[i];
        const double left = i * (kPanel + 2 * kMargin) + kMargin, top = kTitle + kMargin;
        // The middle of the points' extent sits in the middle of the panel.
        const double midU = (low[view.u] + high[view.u]) / 2,
                     midV = (low[view.v] + high[view.v]) / 2;
        auto x = [&](const Vec3& p) {
            return left + kPanel / 2 + (Axis(p, view.u) - midU) * scale;
        };
        auto y = [&](const Vec3& p) { return top + kPanel / 2 - (Axis(p, view.v) - midV) * scale; };
        svg += "<g data-kind=\"view\" id=\"" + std::string(view.name) + "\" data-right=\"" +
               view.right + "\" data-up=\"" + view.up + "\" data-scale=\"" + Number(scale) +
               "\">\n";
        svg += "<rect data-kind=\"frame\" fill=\"none\" stroke=\"#444\" x=\"" + Number(left) +
               "\" y=\"" + Number(top) + "\" width=\"" + Number(kPanel) + "\" height=\"" +
               Number(kPanel) + "\"/>\n";
        svg += "<text font-family=\"sans-serif\" font-size=\"12\" x=\"" + Number(left) + "\" y=\"" +
               Number(top - 8) + "\">" + view.name + ": " + view.right + " right, " + view.up +
               " up</text>\n";
        for (const SessionPoint& p : points) {
            const double px = x(p.point), py = y(p.point);
            if (!std::isfinite(px) || !std::isfinite(py))
                continue;
            const std::string seq = " data-seq=\"" + std::to_string(p.seq) + "\"";
            const char* kind = RecordKindName(p.type);
            if (p.type == ZDEV_MSG_CONFIRM) {
                svg += "<rect data-kind=\"confirm\" fill=\"none\" stroke=\"#1a9a3a\" "
                       "stroke-width=\"2\"" +
                       seq + " x=\"" + Number(px - 5) + "\" y=\"" + Number(py - 5) +
                       "\" width=\"10\" height=\"10\"/>\n";
                continue;
            }
            if (p.type == ZDEV_MSG_CANCEL) {
                svg += "<path data-kind=\"cancel\" stroke=\"#d02020\" stroke-width=\"2\"" + seq +
                       " d=\"M" + Number(px - 5) + " " + Number(py - 5) + "L" + Number(px + 5) +
                       " " + Number(py + 5) + "M" + Number(px - 5) + " " + Number(py + 5) + "L" +
                       Number(px + 5) + " " + Number(py - 5) + "\"/>\n";
                continue;
            }
            // The probe points against the frame's Z axis; its direction in
            // this view, drawn at a fixed length.
            const double du = -Axis(p.normal, view.u), dv = -Axis(p.normal, view.v);
            if (p.type == ZDEV_MSG_MEASUREMENT && std::isfinite(du) && std::isfinite(dv)) {
                svg += "<line data-kind=\"direction\" stroke=\"#1f5fbf\"" + seq + " x1=\"" +
                       Number(px) + "\" y1=\"" + Number(py) + "\" x2=\"" + Number(px + du * kTick) +
                       "\" y2=\"" + Number(py - dv * kTick) + "\"/>\n";
            }
            svg += "<circle data-kind=\"" + std::string(kind) + "\" fill=\"" +
                   (p.type == ZDEV_MSG_MEASUREMENT ? "#1f5fbf" : "#999") + "\"" + seq + " cx=\"" +
                   Number(px) + "\" cy=\"" + Number(py) + "\" r=\"" +
                   (p.type == ZDEV_MSG_MEASUREMENT ? "2" : "1.2") + "\"/>\n";
        }
        svg += "</g>\n";
    }
    svg += "</svg>\n";
    return svg;
}

bool WritePlot(const std::string& path, const std::vector<SessionPoint>& points,
               std::string& error) {
    const std::string temporary = path + ".zuhost-part";
    std::FILE* file = platform::OpenFile(temporary, "wb");
    if (!file) {
        error = "cannot write the plot " + path + ": " + std::strerror(errno);
        return false;
    }
    const std::string svg = PlotSvg(points);
    errno = 0;
    const bool written = std::fwrite(svg.data(), 1, svg.size(), file) == svg.size();
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    std::error_code ec;
    if (!written || !closed) {
        error = "cannot write the plot " + path + ": " +
                std::strerror(writeError ? writeError
                              : errno    ? errno
                                         : EIO);
        std::filesystem::remove(platform::PathFromUtf8(temporary), ec);
        return false;
    }
    std::filesystem::rename(platform::PathFromUtf8(temporary), platform::PathFromUtf8(path), ec);
    if (ec) {
        error = "cannot write the plot " + path + ": " + ec.message();
        std::filesystem::remove(platform::PathFromUtf8(temporary), ec);
        return false;
    }
    return true;
}
