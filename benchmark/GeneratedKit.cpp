#include "GeneratedKit.h"

#include "LDataKitWriter.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const kMaterials[] = {"鉄筋ｺﾝｸﾘｰﾄ塊", "無筋ｺﾝｸﾘｰﾄ塊", "ｱｽｺﾝ塊"};
// Fee-table columns (1-based) that the generator fills in.
constexpr int kNumberColumn = 1;
constexpr int kKeyColumn = 6;
constexpr int kNameColumn = 8;
constexpr int kMaterialColumn = 10;
constexpr int kFeeColumn = 11;
// Every site lies this close to the work site (a little inside 55 km).
constexpr double kRadiusMetres = 54900.0;

std::vector<std::string> SplitColumns(const std::string& line) {
    std::vector<std::string> columns;
    std::string column;
    std::istringstream in(line);
    while (std::getline(in, column, ',')) {
        columns.push_back(column);
    }
    if (!line.empty() && line.back() == ',') {
        columns.emplace_back();
    }
    return columns;
}

std::string JoinColumns(const std::vector<std::string>& columns) {
    std::string line;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        line += (i ? "," : "") + columns[i];
    }
    return line;
}

// The source table of a code in the kit's dat/ folder.
fs::path TablePath(const fs::path& dat, const std::string& code) {
    for (const auto& entry : fs::directory_iterator(dat)) {
        if (entry.path().filename().string().rfind(code, 0) == 0) {
            return entry.path();
        }
    }
    throw std::runtime_error("the sample kit has no table " + code);
}

std::vector<std::string> ReadLines(const fs::path& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

void WriteLines(const fs::path& path, const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::trunc);
    for (const std::string& line : lines) {
        out << line << '\n';
    }
}

std::string Numbered(const char* format, int n) {
    char text[64];
    std::snprintf(text, sizeof text, format, n);
    return text;
}

} // namespace

GeneratedKit::GeneratedKit(int sitesPerMaterial) : sites_(sitesPerMaterial) {
    const fs::path sources = fs::path(dir_.Path()) / "sources";
    fs::copy(VAKREL_DATAKIT_SOURCES, sources, fs::copy_options::recursive);
    const fs::path dat = sources / "dat";

    // Fee lines: the kit's first line of each material as the pattern, with a new number, key,
    // name and fee.
    const fs::path feePath = TablePath(dat, "ET19");
    const std::vector<std::string> feeSource = ReadLines(feePath);
    std::vector<std::vector<std::string>> patterns;
    for (const char* material : kMaterials) {
        for (std::size_t i = 1; i < feeSource.size(); ++i) {
            std::vector<std::string> columns = SplitColumns(feeSource[i]);
            if (static_cast<int>(columns.size()) >= kFeeColumn &&
                columns[kMaterialColumn - 1] == material) {
                patterns.push_back(columns);
                break;
            }
        }
    }
    if (patterns.size() != std::size(kMaterials)) {
        throw std::runtime_error("the sample kit's fee table lacks a material");
    }

    std::mt19937 random(20250401);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<std::string> fees{feeSource.front()};
    std::vector<std::string> positions{ReadLines(TablePath(dat, "EC01")).front()};
    int number = 0;
    for (int site = 1; site <= sitesPerMaterial; ++site) {
        const std::string key = Numbered("G%06d", site);
        const std::string name = Numbered("生成処分場%06d", site);
        for (std::vector<std::string> columns : patterns) {
            columns[kNumberColumn - 1] = std::to_string(++number);
            columns[kKeyColumn - 1] = key;
            columns[kNameColumn - 1] = name;
            columns[kFeeColumn - 1] = std::to_string(1500 + (site * 37 + number * 11) % 3000);
            fees.push_back(JoinColumns(columns));
        }
        const double radius = kRadiusMetres * std::sqrt(unit(random));
        const double angle = 2.0 * M_PI * unit(random);
        char line[160];
        std::snprintf(line, sizeof line, "%d,%s,%.1f,%.1f,%s,", site, key.c_str(),
                      kWorkX + radius * std::cos(angle), kWorkY + radius * std::sin(angle),
                      name.c_str());
        positions.push_back(line);
    }
    WriteLines(feePath, fees);
    WriteLines(TablePath(dat, "EC01"), positions);

    programFolder_ = dir_ / "program";
    LDataKitWriter(sources.string(), programFolder_).Write();
}
