#include "model/CIniManager.h"

#include "platform/Exceptions.h"

#include <memory>

namespace {

struct VersionFile {
    std::unique_ptr<TMemIniFile> reader;
    AnsiString error;
};

VersionFile& Load() {
    static VersionFile file = [] {
        const AnsiString path = "./lumbrixon/version.ini";
        VersionFile loaded;
        try {
            loaded.reader = std::make_unique<TMemIniFile>(path);
        } catch (const Exception& error) {
            // Keep the program going with empty labels; the start-up reports the error.
            loaded.error = error.Message();
            loaded.reader = std::make_unique<TMemIniFile>("");
        }
        return loaded;
    }();
    return file;
}

} // namespace

TMemIniFile& ProgramVersionFile() {
    return *Load().reader;
}

const AnsiString& ProgramVersionFileError() {
    return Load().error;
}

CIniManager::CIniManager() : CIniManager(ProgramVersionFile()) {}

CIniManager::CIniManager(const TMemIniFile& versionFile)
    : name_(versionFile.ReadString("version", "name", "")),
      ver_(versionFile.ReadString("version", "ver", "")) {}

AnsiString CIniManager::GetEditionText() const {
    const AnsiString piece = name_.SubString(name_.Length() - 5, 6);
    return piece.SubString(1, 4) + u8"年"_sj + piece.SubString(5, 2) + u8"月版"_sj;
}

AnsiString CIniManager::GetVersionText() const {
    return "Ver." + ver_ + " Pro";
}

AnsiString CIniManager::GetAboutText() const {
    return u8"本ツールは"_sj + GetEditionText() + u8"です。"_sj;
}
