#include "updater/IniManager.h"

#include "platform/TMemIniFile.h"
#include "updater/UpdaterTexts.h"

#include <algorithm>

void IniManager::Load(const AnsiString& path) {
    const TMemIniFile file(path);
    name_ = file.ReadString(SECTION_VERSION, KEY_NAME, "");
    ver_ = file.ReadString(SECTION_VERSION, KEY_VER, "");
    targetExe_ = file.ReadString(SECTION_VERSION, KEY_TARGET_EXE, "");
    rootpath_ = file.ReadString(SECTION_VERSION, KEY_ROOTPATH, "");
    exepath_ = file.ReadString(SECTION_VERSION, KEY_EXEPATH, "");
    installerExe_ = file.ReadString(SECTION_VERSION, KEY_INSTALLER_EXE, "");
}

bool IniManager::IsSpecialTarget() const {
    return targetExe_ == DREMHOLT2_EXE;
}

AnsiString IniManager::GetInstallerUrl() {
    installerUrl_ = rootpath_ + exepath_ +
                    (IsSpecialTarget() ? installerExe_ + "_" + GetUnderscoredVersion() + ".exe"
                                       : installerExe_ + "(" + ver_ + ").exe");
    return installerUrl_;
}

AnsiString IniManager::GetVersionFileUrl() {
    versionFileUrl_ = rootpath_ + exepath_ + VERSION_INI;
    return versionFileUrl_;
}

AnsiString IniManager::GetVersionedInstallerName() {
    versionedInstallerName_ = installerExe_ + "(" + ver_ + ").exe";
    return versionedInstallerName_;
}

AnsiString IniManager::GetVersionedTmpName() {
    versionedTmpName_ = IsSpecialTarget() ? installerExe_ + "_" + GetUnderscoredVersion() + ".tmp"
                                          : installerExe_ + "(" + ver_ + ").tmp";
    return versionedTmpName_;
}

AnsiString IniManager::GetWorkbookPattern() const {
    return targetExe_.SubString(1, targetExe_.Length() - 4) + ".x";
}

AnsiString IniManager::GetUnderscoredVersion() const {
    std::string bytes = ver_.str();
    std::replace(bytes.begin(), bytes.end(), '.', '_');
    return AnsiString(bytes);
}

bool IsNewerVersion(const AnsiString& candidate, const AnsiString& current) {
    const std::string& a = candidate.str();
    const std::string& b = current.str();
    return std::lexicographical_compare(
        b.begin(), b.end(), a.begin(), a.end(), [](char left, char right) {
            return static_cast<unsigned char>(left) < static_cast<unsigned char>(right);
        });
}
