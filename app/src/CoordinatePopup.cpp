#include "CoordinatePopup.h"

#include "platform/Conversions.h"

#include <cmath>
#include <vector>

namespace {

const AnsiString kLatitudeLine = u8"緯度(度)"_sj;
const AnsiString kPlaneLine = "X(m)";

std::vector<AnsiString> Lines(const AnsiString& text) {
    std::vector<AnsiString> lines;
    const std::string& bytes = text.str();
    std::string current;
    for (char c : bytes) {
        if (c == '\r' || c == '\n') {
            if (!current.empty()) {
                lines.emplace_back(current);
            }
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        lines.emplace_back(current);
    }
    return lines;
}

} // namespace

bool PickedCoordinates::Complete() const {
    return latitude != 0.0 && longitude != 0.0 && x != 0.0 && y != 0.0;
}

double CoordinateLineValue(const AnsiString& line) {
    const std::string& bytes = line.str();
    const std::size_t equals = bytes.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == bytes.size()) {
        return 0.0;
    }
    const std::size_t close = bytes.find('>', equals + 1);
    const std::size_t end = close == std::string::npos ? bytes.size() : close;
    std::size_t start = equals + 1;
    // The embedded browser writes attribute values of the page's markup in quotes
    // (value="34.5"); the number starts after the quote.
    if (start < end && (bytes[start] == '"' || bytes[start] == '\'')) {
        ++start;
    }
    // A number beyond the range of a double is no coordinate: it counts as not found.
    const double value = CAtof(AnsiString(bytes.substr(start, end - start)));
    return std::isfinite(value) ? value : 0.0;
}

void ReadCoordinatePopup(const AnsiString& text, PickedCoordinates& values) {
    const std::vector<AnsiString> lines = Lines(text);
    const auto valueAt = [&](std::size_t i) {
        return i < lines.size() ? CoordinateLineValue(lines[i]) : 0.0;
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].Contains(kLatitudeLine)) {
            values.latitude = valueAt(i);
            values.longitude = valueAt(i + 1);
            ++i;
        } else if (lines[i].Contains(kPlaneLine)) {
            values.x = valueAt(i);
            values.y = valueAt(i + 1);
            return;
        }
    }
}
