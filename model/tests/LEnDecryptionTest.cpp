#include "model/LEnDecryption.h"
#include "model/CipherKey.h"
#include "model/SharedConstants.h"
#include "platform/testing/MessageBoxRecorder.h"
#include "platform/testing/TempDir.h"

#include "platform/testing/UnprivilegedScope.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

std::string Encipher(std::string bytes) {
    RunningKey key;
    key.Apply(bytes.data(), bytes.size());
    return bytes;
}

// A program folder with a dat folder, made the current folder.
class LEnDecryptionTest : public testing::Test {
protected:
    LEnDecryptionTest() : scope_(dir_.Path()) { dir_.MakeFolder("dat"); }

    int ListedCopies() const { return DecryptedFileList().Count(); }

    TempDir dir_;
    CurrentDirScope scope_;
    MessageBoxRecorder messages_;
    LEnDecryption cipher_;
};

TEST_F(LEnDecryptionTest, RunningKeyFollowsItsDefinition) {
    std::string zeros(300, '\0');
    RunningKey key;
    key.Apply(zeros.data(), zeros.size());
    unsigned char expected = DECIPHER_SEED;
    for (std::size_t k = 1; k <= zeros.size(); ++k) {
        expected = static_cast<unsigned char>((expected + k * DECIPHER_STEP) % 256);
        ASSERT_EQ(static_cast<unsigned char>(zeros[k - 1]), expected) << "byte " << k;
    }
}

TEST_F(LEnDecryptionTest, DeciphersIntoTheCopyNamedWithD) {
    std::string plain;
    for (int i = 0; i < 200000; ++i) { // several blocks
        plain += static_cast<char>(i * 7 % 256);
    }
    dir_.Write("dat/ER01_rom.csv", Encipher(plain));
    const int before = ListedCopies();
    EXPECT_TRUE(cipher_.DecryptFile("./dat/ER01_rom.csv"));
    EXPECT_EQ(dir_.Read("dat/DR01_rom.csv"), plain);
    EXPECT_EQ(dir_.Read("dat/ER01_rom.csv"), Encipher(plain)); // the source is untouched
    ASSERT_EQ(ListedCopies(), before + 1);
    EXPECT_EQ(DecryptedFileList()[before], AnsiString("./dat/DR01_rom.csv"));
    EXPECT_TRUE(messages_.Calls().empty());
}

TEST_F(LEnDecryptionTest, ZeroByteSourceGivesEmptyCopy) {
    dir_.Write("dat/EA01.csv", "");
    EXPECT_TRUE(cipher_.DecryptFile("./dat/EA01.csv"));
    EXPECT_TRUE(dir_.Exists("dat/DA01.csv"));
    EXPECT_EQ(dir_.Read("dat/DA01.csv"), "");
}

TEST_F(LEnDecryptionTest, StaleLongerCopyIsReplacedWhole) {
    dir_.Write("dat/DB01.ini", std::string(5000, 'x'));
    dir_.Write("dat/EB01.ini", Encipher("[10t DID]\r\n0,1\r\n"));
    EXPECT_TRUE(cipher_.DecryptFile("./dat/EB01.ini"));
    EXPECT_EQ(dir_.Read("dat/DB01.ini"), "[10t DID]\r\n0,1\r\n");
}

// Whatever stands at the copy's name is replaced, never followed: a symbolic link planted there
// leads nowhere, and the new copy is for its owner's eyes only.
TEST_F(LEnDecryptionTest, TheCopyIsMadeNewForItsOwnerOnly) {
    const std::string outside = dir_.Write("outside.txt", "keep");
    const std::pair<std::string, std::string> links[] = {
        {"dat/DT02_fuel.csv", outside},               // to a file
        {"dat/DC01_sites.csv", dir_ / "planted.csv"}, // to nothing yet
    };
    for (const auto& [link, target] : links) {
        std::filesystem::create_symlink(target, dir_ / link);
    }
    dir_.Write("dat/ET02_fuel.csv", Encipher("fuel"));
    dir_.Write("dat/EC01_sites.csv", Encipher("sites"));
    const mode_t mask = ::umask(022);
    EXPECT_TRUE(cipher_.DecryptFile("./dat/ET02_fuel.csv"));
    EXPECT_TRUE(cipher_.DecryptFile("./dat/EC01_sites.csv"));
    ::umask(mask);
    EXPECT_EQ(dir_.Read("outside.txt"), "keep");
    EXPECT_FALSE(dir_.Exists("planted.csv"));
    EXPECT_EQ(dir_.Read("dat/DT02_fuel.csv"), "fuel");
    EXPECT_EQ(dir_.Read("dat/DC01_sites.csv"), "sites");
    for (const auto& [link, target] : links) {
        struct stat info {};
        ASSERT_EQ(::lstat((dir_ / link).c_str(), &info), 0) << link;
        EXPECT_TRUE(S_ISREG(info.st_mode)) << link;
        EXPECT_EQ(info.st_mode & 07777, 0600u) << link;
    }
}

TEST_F(LEnDecryptionTest, MissingSourceOrFolderOrEmptyPathGivesFalseSilently) {
    dir_.MakeFolder("dat/EC01_folder");
    const int before = ListedCopies();
    EXPECT_FALSE(cipher_.DecryptFile("./dat/EC01.csv"));
    EXPECT_FALSE(cipher_.DecryptFile("./dat/EC01_folder"));
    EXPECT_FALSE(cipher_.DecryptFile(""));
    EXPECT_EQ(ListedCopies(), before);
    EXPECT_TRUE(messages_.Calls().empty());
}

TEST_F(LEnDecryptionTest, NameNotStartingWithTheCodeGetsACopyWithoutTheDCode) {
    dir_.Write("dat/XER01.csv", Encipher("a"));
    EXPECT_TRUE(cipher_.DecryptFile("./dat/XER01.csv"));
    EXPECT_EQ(dir_.Read("dat/DER01.csv"), "a");
    EXPECT_FALSE(dir_.Exists("dat/DR01.csv"));
}

TEST_F(LEnDecryptionTest, SourceThatAlreadyHasTheCopyNameIsLeftAlone) {
    dir_.Write("dat/DER01.csv", "enciphered");
    const int before = ListedCopies();
    EXPECT_FALSE(cipher_.DecryptFile("./dat/DER01.csv"));
    EXPECT_EQ(ListedCopies(), before); // never deleted by the clean-up
    EXPECT_EQ(dir_.Read("dat/DER01.csv"), "enciphered");
}

TEST_F(LEnDecryptionTest, TwiceGivesTheSameCopyListedTwiceAndDeletionCopes) {
    dir_.Write("dat/ET19.txt", Encipher("fees"));
    const int before = ListedCopies();
    EXPECT_TRUE(cipher_.DecryptFile("./dat/ET19.txt"));
    EXPECT_TRUE(cipher_.DecryptFile("./dat/ET19.txt"));
    EXPECT_EQ(dir_.Read("dat/DT19.txt"), "fees");
    ASSERT_EQ(ListedCopies(), before + 2);
    EXPECT_EQ(DecryptedFileList()[before], DecryptedFileList()[before + 1]);
    cipher_.DeleteDecryptedFiles(); // the second deletion fails silently
    EXPECT_FALSE(dir_.Exists("dat/DT19.txt"));
    EXPECT_TRUE(dir_.Exists("dat/ET19.txt"));
    EXPECT_EQ(ListedCopies(), before + 2); // the list keeps its entries
}

TEST_F(LEnDecryptionTest, DeletionLeavesNoListedCopyInTheDataFolder) {
    for (const char* name : {"EA01.csv", "ER01.csv", "ES22.csv", "ESP2.csv", "EB01.ini"}) {
        dir_.Write(std::string("dat/") + name, Encipher(name));
        EXPECT_TRUE(cipher_.DecryptFile(AnsiString("./dat/") + name));
    }
    cipher_.DeleteDecryptedFiles();
    for (const AnsiString& copy : DecryptedFileList()) {
        EXPECT_FALSE(std::filesystem::exists(copy.str())) << copy;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_ / "dat"),
                            std::filesystem::directory_iterator()),
              5);
}

TEST_F(LEnDecryptionTest, UnreadableSourceShowsTheReadFailureMessage) {
    const std::string source = dir_.Write("dat/ES24_kikai.csv", Encipher("rent"));
    ::chmod(dir_.Path().c_str(), 0755);
    ::chmod((dir_ / "dat").c_str(), 0755);
    ::chmod(source.c_str(), 0000);
    const int before = ListedCopies();
    bool result = true;
    {
        UnprivilegedScope unprivileged;
        if (!unprivileged.Unprivileged()) {
            GTEST_SKIP() << "cannot run without privileges here";
        }
        result = cipher_.DecryptFile("./dat/ES24_kikai.csv");
    }
    EXPECT_FALSE(result);
    ASSERT_EQ(messages_.Calls().size(), 1u);
    EXPECT_EQ(messages_.Calls()[0],
              (MessageBoxRecorder::Call{
                  u8"ファイルの読み込みに失敗しました。\nファイル名：24_kikai.csv"_sj,
                  u8"ファイル読み込み失敗"_sj, 0x30}));
    // The copy stays named, so that the clean-up removes whatever is left of it.
    ASSERT_EQ(ListedCopies(), before + 1);
    EXPECT_EQ(DecryptedFileList()[before], AnsiString("./dat/DS24_kikai.csv"));
}

TEST_F(LEnDecryptionTest, ReadFailureMessageCutsTheNameAtOneHundredBytes) {
    const std::string longName = "ES22" + std::string(120, 'n') + ".csv";
    const std::string source = dir_.Write("dat/" + longName, "x");
    ::chmod(dir_.Path().c_str(), 0755);
    ::chmod((dir_ / "dat").c_str(), 0755);
    ::chmod(source.c_str(), 0000);
    {
        UnprivilegedScope unprivileged;
        if (!unprivileged.Unprivileged()) {
            GTEST_SKIP() << "cannot run without privileges here";
        }
        EXPECT_FALSE(cipher_.DecryptFile(AnsiString("./dat/" + longName)));
    }
    ASSERT_EQ(messages_.Calls().size(), 1u);
    const AnsiString prefix = u8"ファイルの読み込みに失敗しました。\nファイル名："_sj;
    EXPECT_EQ(messages_.Calls()[0].text, prefix + AnsiString("22" + std::string(98, 'n')));
}

} // namespace
