// Reading a recorded session file in the recorder's tests.
#pragma once

#include <cctype>
#include <sstream>
#include <string>

namespace {

// The call lines of a member, by its name; with `ending`, those that end so.
size_t CallLines(const std::string& session, const std::string& member,
                 const std::string& ending = "") {
    const size_t declared = session.find(" " + member + "\n");
    if (declared == std::string::npos)
        return 0;
    const size_t start = session.rfind("\nm ", declared) + 3;
    const std::string number = " " + session.substr(start, declared - start) + " ";
    std::istringstream lines(session);
    size_t n = 0;
    for (std::string line; std::getline(lines, line);)
        n += !line.empty() && std::isdigit(static_cast<unsigned char>(line[0])) &&
             (line + " ").find(number) == line.find(' ') && line.ends_with(ending);
    return n;
}

} // namespace
