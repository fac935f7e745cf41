#include "LDataKitWriter.h"

#include "model/CipherKey.h"
#include "model/SharedConstants.h"
#include "platform/Cp932.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace fs = std::filesystem;

namespace {

// The nine table codes as the enciphered names begin with them, and their deciphered twins.
std::vector<std::string> TableCodes() {
    std::vector<std::string> codes;
    for (const AnsiString* code : {&CODE_ER01, &CODE_ES22, &CODE_ES24, &CODE_ET02, &CODE_ET19,
                                   &CODE_EC01, &CODE_EA01, &CODE_ESP2, &CODE_EB01}) {
        codes.push_back(code->str());
    }
    return codes;
}

std::vector<std::string> CopyCodes() {
    std::vector<std::string> codes;
    for (const AnsiString* code : {&CODE_DR01, &CODE_DS22, &CODE_DS24, &CODE_DT02, &CODE_DT19,
                                   &CODE_DC01, &CODE_DA01, &CODE_DSP2, &CODE_DB01}) {
        codes.push_back(code->str());
    }
    return codes;
}

// The plain INI files, by the names the program opens them with.
std::vector<std::string> PlainFileNames() {
    std::vector<std::string> names;
    for (const AnsiString* path :
         {&FILE_DTTANKA_SURYO, &FILE_HIMOKU_ROWSOURCE, &FILE_SYUBETSU_ROWSOURCE,
          &FILE_SPHIMOKU_ROWSOURCE, &FILE_SPSYUBETSU_ROWSOURCE, &FILE_SPGARAHASSEI_ROWSOURCE,
          &FILE_SPTSUMIKOMIKUBUN_ROWSOURCE, &FILE_SYOBUNJO_KIKAKU_SOURCE, &FILE_SPSEKISAI_ROWSOURCE,
          &FILE_SPJINKAI_ROWSOURCE}) {
        names.push_back(path->SubString(DAT_FOLDER.Length() + 1, path->Length()).ToUtf8());
    }
    return names;
}

std::string ReadSource(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw EFOpenError("ファイル " + path.string() + " を開けません。");
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        throw EFOpenError("ファイル " + path.string() + " を読めません。");
    }
    return bytes;
}

void WriteOutput(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw EFOpenError("ファイル " + path.string() + " に書き込めません。");
    }
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

bool ContainsAny(const std::string& text, const std::vector<std::string>& pieces) {
    return std::any_of(pieces.begin(), pieces.end(), [&](const std::string& piece) {
        return text.find(piece) != std::string::npos;
    });
}

} // namespace

std::string ToKitText(const std::string& utf8, const std::string& what) {
    std::string lines;
    lines.reserve(utf8.size() + utf8.size() / 16);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\r') {
            lines += "\r\n";
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n') {
                ++i;
            }
        } else if (c == '\n') {
            lines += "\r\n";
        } else {
            lines += c;
        }
    }
    auto sjis = cp932::FromUtf8Strict(lines);
    if (!sjis) {
        throw EConvertError(what +
                            " は UTF-8 ではないか、コードページ932にない文字を含んでいます。");
    }
    return *sjis;
}

LDataKitWriter::LDataKitWriter(std::string sourceFolder, std::string programFolder)
    : sourceFolder_(std::move(sourceFolder)), programFolder_(std::move(programFolder)) {}

std::vector<LDataKitWriter::Output> LDataKitWriter::ReadSources() const {
    const fs::path datSource = fs::path(sourceFolder_) / "dat";
    const std::vector<std::string> codes = TableCodes();
    const std::vector<std::string> plainNames = PlainFileNames();
    std::set<std::string> missingCodes(codes.begin(), codes.end());
    std::set<std::string> missingPlain(plainNames.begin(), plainNames.end());

    std::error_code error;
    fs::directory_iterator entries(datSource, error);
    if (error) {
        throw EFOpenError("フォルダ " + datSource.string() + " を読めません。");
    }
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : entries) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end()); // a stable order for the messages and the result

    std::vector<Output> outputs;
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        if (!fs::is_regular_file(file)) {
            throw Exception(file.string() + " はファイルではありません。");
        }
        if (!cp932::FromUtf8Strict(name)) {
            throw EConvertError("ファイル名 " + name + " はコードページ932で表せません。");
        }
        auto code = std::find_if(codes.begin(), codes.end(),
                                 [&](const std::string& c) { return StartsWith(name, c); });
        std::string bytes = ToKitText(ReadSource(file), file.string());
        if (code != codes.end()) {
            if (missingCodes.erase(*code) == 0) {
                throw Exception("表 " + *code + " のファイルが二つあります: " + name);
            }
            RunningKey key;
            key.Apply(bytes.data(), bytes.size());
        } else if (missingPlain.erase(name) == 0) {
            throw Exception(name + " はデータキットのファイルではありません。");
        }
        outputs.push_back(Output{"dat/" + name, std::move(bytes)});
    }
    if (!missingCodes.empty() || !missingPlain.empty()) {
        std::string missing;
        for (const std::string& code : missingCodes) {
            missing += " " + code + "*";
        }
        for (const std::string& name : missingPlain) {
            missing += " " + name;
        }
        throw Exception(datSource.string() + " にないファイルがあります:" + missing);
    }
    const fs::path version = fs::path(sourceFolder_) / "lumbrixon" / "version.ini";
    outputs.push_back(
        Output{"lumbrixon/version.ini", ToKitText(ReadSource(version), version.string())});
    return outputs;
}

void LDataKitWriter::RemoveStaleTables(const std::vector<Output>& outputs) const {
    std::vector<std::string> codes = TableCodes();
    const std::vector<std::string> copies = CopyCodes();
    codes.insert(codes.end(), copies.begin(), copies.end());
    std::set<std::string> written;
    for (const Output& output : outputs) {
        written.insert(output.relativePath);
    }
    std::error_code error;
    const fs::path dat = fs::path(programFolder_) / "dat";
    for (const fs::directory_entry& entry : fs::directory_iterator(dat, error)) {
        const std::string name = entry.path().filename().string();
        // The program takes the first file in the listing that carries a code, so an old table
        // left beside the new one could be read instead of it.
        if (entry.is_regular_file() && ContainsAny(name, codes) && !written.count("dat/" + name)) {
            fs::remove(entry.path());
        }
    }
}

std::vector<std::string> LDataKitWriter::Write() const {
    const std::vector<Output> outputs = ReadSources();
    std::error_code error;
    for (const char* folder : {"dat", "lumbrixon"}) {
        fs::create_directories(fs::path(programFolder_) / folder, error);
        if (error) {
            throw EFOpenError("フォルダ " + (fs::path(programFolder_) / folder).string() +
                              " を作れません。");
        }
    }
    RemoveStaleTables(outputs);
    std::vector<std::string> written;
    for (const Output& output : outputs) {
        WriteOutput(fs::path(programFolder_) / output.relativePath, output.bytes);
        written.push_back(output.relativePath);
    }
    return written;
}
