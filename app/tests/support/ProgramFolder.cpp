#include "ProgramFolder.h"

#include "model/CipherKey.h"

#include "platform/AnsiString.h"

#include <filesystem>

namespace stdfs = std::filesystem;

namespace {

const char* const kCipheredCodes[] = {"ER01", "ES22", "ES24", "ET02", "ET19",
                                      "EC01", "EA01", "ESP2", "EB01"};
const char* const kWorkingCodes[] = {"DR01", "DS22", "DS24", "DT02", "DT19",
                                     "DC01", "DA01", "DSP2", "DB01"};

bool IsCipheredTable(const std::string& name) {
    for (const char* code : kCipheredCodes) {
        if (name.rfind(code, 0) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

ProgramFolder::ProgramFolder() : ProgramFolder(Options{}) {}

ProgramFolder::ProgramFolder(const Options& options) {
    const stdfs::path source = stdfs::path(APP_TEST_DATA) / "program";
    for (const auto& entry : stdfs::recursive_directory_iterator(source)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const std::string name = stdfs::relative(entry.path(), source).generic_string();
        if (options.omit.count(name) != 0) {
            continue;
        }
        std::string bytes;
        if (options.empty.count(name) == 0) {
            bytes = AnsiString::FromUtf8(ReadWholeFile(entry.path().string())).str();
            if (IsCipheredTable(entry.path().filename().string())) {
                RunningKey().Apply(bytes.data(), bytes.size());
            }
        }
        dir_.Write(name, bytes);
    }
    dir_.MakeFolder("dat");
    scope_ = std::make_unique<CurrentDirScope>(dir_.Path());
}

ProgramFolder::~ProgramFolder() = default;

void ProgramFolder::WriteText(const std::string& name, const std::string& utf8) const {
    dir_.Write(name, AnsiString::FromUtf8(utf8).str());
}

std::string ProgramFolder::ReadText(const std::string& name) const {
    return AnsiString(dir_.Read(name)).ToUtf8();
}

std::vector<std::string> ProgramFolder::WorkingCopies() const {
    std::vector<std::string> copies;
    for (const auto& entry : stdfs::directory_iterator(dir_ / "dat")) {
        const std::string name = entry.path().filename().string();
        for (const char* code : kWorkingCodes) {
            if (name.find(code) != std::string::npos) {
                copies.push_back(name);
            }
        }
    }
    return copies;
}
