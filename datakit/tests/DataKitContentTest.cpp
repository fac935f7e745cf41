#include "KitRun.h"
#include "model/CAreaData.h"
#include "model/CHimokuRowSource.h"
#include "model/CIniManager.h"
#include "model/CSPGaraHasseiRowSource.h"
#include "model/CSPHimokuRowSource.h"
#include "model/CSPSyubetsuRowSource.h"
#include "model/CSPTsumikomiRowSource.h"
#include "model/CSyubetsuRowSource.h"
#include "model/LEnDecryption.h"
#include "model/LFileOperate.h"
#include "model/SharedConstants.h"
#include "platform/Conversions.h"
#include "platform/TMemIniFile.h"
#include "platform/TStringList.h"
#include "platform/testing/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <sstream>

namespace {

const char* const kDumpTruck[] = {"ﾀﾞﾝﾌﾟﾄﾗｯｸ持込", "ﾀﾞﾝﾌﾟﾄﾗｯｸ貸与"};
const char* const kDid[] = {"DID有", "DID無"};

std::vector<AnsiString> Columns(const AnsiString& line) {
    std::vector<AnsiString> columns;
    std::string::size_type start = 0;
    const std::string& s = line.str();
    for (;;) {
        const auto comma = s.find(',', start);
        columns.emplace_back(s.substr(start, comma == std::string::npos ? comma : comma - start));
        if (comma == std::string::npos) {
            return columns;
        }
        start = comma + 1;
    }
}

AnsiString Column(const AnsiString& line, std::size_t number) {
    const auto columns = Columns(line);
    return number <= columns.size() ? columns[number - 1] : AnsiString();
}

// The items of a one-list box of the package mode (load class, refuse kind), read as the
// condition page reads them.
std::vector<AnsiString> SectionItems(const AnsiString& path, const AnsiString& section) {
    TStringList lines;
    TMemIniFile(path).ReadSectionValues(section, lines);
    return lines.Lines();
}

template <class Source> std::vector<AnsiString> Walk(Source& source) {
    std::vector<AnsiString> items;
    for (source.First(); !source.IsEnd(); source.Next()) {
        items.push_back(source.GetCurrent());
    }
    return items;
}

std::vector<std::string> Utf8(const std::vector<AnsiString>& texts) {
    std::vector<std::string> out;
    for (const AnsiString& text : texts) {
        out.push_back(text.ToUtf8());
    }
    return out;
}

struct AreaCentre {
    std::string name;
    double x;
    double y;
};

std::vector<AreaCentre> AreaCentres() {
    std::istringstream in(ReadWholeFile(std::string(DATAKIT_GENERATOR) + "/areas.csv"));
    std::vector<AreaCentre> areas;
    std::string line;
    std::getline(in, line); // heading
    while (std::getline(in, line)) {
        const auto columns = Columns(AnsiString(line));
        areas.push_back(
            {columns.at(0).str(), StrToFloat(columns.at(1)), StrToFloat(columns.at(2))});
    }
    return areas;
}

// A program folder with the kit written into it and its tables deciphered, as the program
// has them while it loads.
class DataKitContentTest : public testing::Test {
protected:
    void SetUp() override {
        const KitRun run = RunKitTool(DATAKIT_SOURCES, program_.Path(), scratch_);
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        scope_.emplace(program_.Path());
        for (const AnsiString* code : {&CODE_EA01, &CODE_ER01, &CODE_ES22, &CODE_ES24, &CODE_ET02,
                                       &CODE_ET19, &CODE_EC01, &CODE_EB01, &CODE_ESP2}) {
            ASSERT_TRUE(cipher_.DecryptFile(LFileOperate().FindFile(*code, DAT_FOLDER))) << *code;
        }
    }
    void TearDown() override { cipher_.DeleteDecryptedFiles(); }

    static TStringList Table(const AnsiString& copyCode) {
        TStringList lines;
        lines.LoadFromFile(LFileOperate().FindFile(copyCode, DAT_FOLDER));
        return lines;
    }

    TempDir scratch_;
    TempDir program_;
    std::optional<CurrentDirScope> scope_;
    LEnDecryption cipher_;
};

TEST_F(DataKitContentTest, RowSourcesAndAreasLoadWithTheirCounts) {
    CHimokuRowSource labourItems;
    CSPHimokuRowSource packageItems;
    EXPECT_EQ(Utf8(Walk(labourItems)),
              (std::vector<std::string>{"鉄筋ｺﾝｸﾘｰﾄ塊", "無筋ｺﾝｸﾘｰﾄ塊", "ｱｽｺﾝ塊"}));
    EXPECT_EQ(Utf8(Walk(packageItems)),
              (std::vector<std::string>{"鉄筋ｺﾝｸﾘｰﾄ殻", "無筋ｺﾝｸﾘｰﾄ殻", "ｱｽﾌｧﾙﾄ殻"}));

    // Haul kinds beyond these have no quantity section or band table.
    CSyubetsuRowSource labourHauls;
    CSPSyubetsuRowSource packageHauls;
    CSPGaraHasseiRowSource works;
    CSPTsumikomiRowSource methods;
    const std::size_t labourHaulCounts[] = {4, 4, 5};
    for (int item = 0; item < 3; ++item) {
        labourHauls.Select(item);
        packageHauls.SetHimoku(item);
        works.SetHimoku(item);
        EXPECT_EQ(Walk(labourHauls).size(), labourHaulCounts[item]) << item;
        EXPECT_EQ(Walk(packageHauls).size(), 4u) << item;
        // Exactly two works: a third would select no loading-method list.
        EXPECT_EQ(Walk(works).size(), 2u) << item;
    }
    const std::size_t methodCounts[2][2] = {{3, 2}, {3, 2}};
    for (int group = 0; group < 2; ++group) {
        for (int work = 0; work < 2; ++work) {
            methods.SetHimoku(group * 2, work);
            EXPECT_EQ(Walk(methods).size(), methodCounts[group][work]) << group << "/" << work;
        }
    }

    CAreaData areas;
    EXPECT_EQ(areas.LoadFromFile(), AnsiString());
    const std::vector<AreaCentre> centres = AreaCentres();
    ASSERT_EQ(areas.GetCount(), static_cast<int>(centres.size()));
    EXPECT_GE(areas.GetCount(), 8);
    for (int i = 0; i < areas.GetCount(); ++i) {
        EXPECT_EQ(areas.GetAreaName(i).ToUtf8(), centres[static_cast<std::size_t>(i)].name);
    }
    EXPECT_EQ(Table(CODE_DT02).Count() - 1, areas.GetCount()) << "one fuel price per area";
    EXPECT_GT(CAtol(Table(CODE_DR01)[1]), 0);
    EXPECT_EQ(Table(CODE_DS22).Count() - 1, 3) << "wear per truck class";
}

TEST_F(DataKitContentTest, QuantitySectionsHoldWholeLabourAndFuelQuantities) {
    const TMemIniFile quantities(FILE_DTTANKA_SURYO);
    for (const AnsiString* section :
         {&SECTION_SURYO_10T, &SECTION_SURYO_4T, &SECTION_SURYO_2T, &SECTION_SURYO_10T_SESSAKU}) {
        TStringList lines;
        quantities.ReadSectionValues(*section, lines);
        ASSERT_EQ(lines.Count(), 4) << *section;
        EXPECT_GT(StrToInt(lines[0]), 0) << *section;
        EXPECT_GT(StrToInt(lines[1]), 0) << *section;
        EXPECT_GT(StrToFloat(lines[2]), 0.0) << *section;
        EXPECT_GT(StrToFloat(lines[3]), 0.0) << *section;
    }
}

TEST_F(DataKitContentTest, EveryPackageConditionFindsAPackageOfItsOwnKeys) {
    CSPHimokuRowSource items;
    CSPSyubetsuRowSource hauls;
    CSPGaraHasseiRowSource works;
    CSPTsumikomiRowSource methods;
    // Every work and every loading method of every item: the condition page can keep the
    // loading methods of another work (or item) when the haul type or the mode changes.
    std::set<AnsiString> allWorks;
    std::set<AnsiString> allMethods;
    for (int item = 0; item < 3; ++item) {
        works.SetHimoku(item);
        for (const AnsiString& work : Walk(works)) {
            allWorks.insert(work);
        }
        for (int work = 0; work < 2; ++work) {
            methods.SetHimoku(item, work);
            for (const AnsiString& method : Walk(methods)) {
                allMethods.insert(method);
            }
        }
    }
    const std::vector<AnsiString> loadClasses =
        SectionItems(FILE_SPSEKISAI_ROWSOURCE, SECTION_SPSEKISAI);
    const std::vector<AnsiString> refuseKinds =
        SectionItems(FILE_SPJINKAI_ROWSOURCE, SECTION_SPJINKAI);
    EXPECT_EQ(Utf8(loadClasses), (std::vector<std::string>{"ﾀﾞﾝﾌﾟﾄﾗｯｸ4t積級", "ﾀﾞﾝﾌﾟﾄﾗｯｸ2t積級"}));
    EXPECT_EQ(Utf8(refuseKinds), (std::vector<std::string>{"一般塵芥", "刈草･伐採木"}));
    std::vector<std::vector<AnsiString>> conditions;
    for (int item = 0; item < static_cast<int>(Walk(items).size()); ++item) {
        hauls.SetHimoku(item);
        const std::vector<AnsiString> haul = Walk(hauls);
        ASSERT_EQ(haul.size(), 4u);
        for (const char* did : kDid) {
            const AnsiString didKey = AnsiString::FromUtf8(did);
            for (const AnsiString& work : allWorks) {
                for (const AnsiString& method : allMethods) {
                    conditions.push_back({haul[0], work, method, didKey});
                }
            }
            conditions.push_back({haul[1], didKey});
            for (const AnsiString& loadClass : loadClasses) {
                conditions.push_back({haul[2], loadClass, didKey});
            }
            for (const AnsiString& refuseKind : refuseKinds) {
                for (const char* truck : kDumpTruck) {
                    conditions.push_back(
                        {haul[3], refuseKind, AnsiString::FromUtf8(truck), didKey});
                }
            }
        }
    }

    const TStringList packages = Table(CODE_DSP2);
    const int machineRows = Table(CODE_DS24).Count() - 1;
    for (const auto& keys : conditions) {
        std::string label;
        for (const AnsiString& key : keys) {
            label += key.ToUtf8() + " / ";
        }
        // The package search: the first line after the heading that contains every key.
        int keyLine = -1;
        for (int i = 1; i < packages.Count() && keyLine < 0; ++i) {
            if (std::all_of(keys.begin(), keys.end(),
                            [&](const AnsiString& key) { return packages[i].Contains(key); })) {
                keyLine = i;
            }
        }
        ASSERT_GT(keyLine, 0) << "no package for " << label;
        // Found by its own keys, not by a longer text that contains one of them.
        const auto fields = Columns(packages[keyLine]);
        for (const AnsiString& key : keys) {
            EXPECT_NE(std::find(fields.begin(), fields.end(), key), fields.end())
                << label << "found " << packages[keyLine];
        }
        ASSERT_LT(keyLine + 1, packages.Count());
        const auto first = Columns(packages[keyLine + 1]);
        ASSERT_EQ(first.size(), 15u) << label;
        const int row = CAtol(first[2]);
        EXPECT_GE(row, 3) << label << "machine-rent row of a package";
        EXPECT_LT(row, machineRows) << label;
        for (std::size_t column = 6; column < 15; ++column) {
            EXPECT_GT(CAtof(first[column]), 0.0) << label << "column " << column + 1;
        }
        EXPECT_LT(CAtof(first[6]) + CAtof(first[8]) + CAtof(first[10]), 100.0) << label;
        double threshold = 0.0;
        for (int i = keyLine + 1; i < packages.Count() && !packages[i].IsEmpty(); ++i) {
            const AnsiString price = Column(packages[i], 6);
            const double next = StrToFloat(Column(packages[i], 2));
            EXPECT_GT(next, threshold) << label << packages[i];
            threshold = next;
            EXPECT_TRUE(i > keyLine + 1 || !price.IsEmpty()) << label;
            if (!price.IsEmpty()) {
                EXPECT_GT(StrToFloat(price), 0.0) << label;
            }
        }
        EXPECT_EQ(threshold, 60.0) << label << "brackets reach 60 km";
    }
}

TEST_F(DataKitContentTest, EveryMaterialHasSitesAroundEveryAreaAndSomeOutOfReach) {
    const TMemIniFile categories(FILE_SYOBUNJO_KIKAKU_SOURCE);
    TStringList categoryTexts;
    categories.ReadSectionValues(SECTION_SYOBUN_HIMOKU, categoryTexts);
    ASSERT_EQ(categoryTexts.Count(), 3);

    const TStringList coordinates = Table(CODE_DC01);
    std::map<std::string, std::pair<double, double>> positions;
    for (int i = 1; i < coordinates.Count(); ++i) {
        positions[Column(coordinates[i], 2).str()] = {StrToFloat(Column(coordinates[i], 3)),
                                                      StrToFloat(Column(coordinates[i], 4))};
    }
    const std::vector<AreaCentre> areas = AreaCentres();
    const TStringList fees = Table(CODE_DT19);
    int withoutFee = 0;
    for (const AnsiString& category : categoryTexts) {
        int sites = 0;
        int outOfReach = 0;
        std::vector<int> nearArea(areas.size(), 0);
        for (int i = 0; i < fees.Count(); ++i) {
            if (!fees[i].Contains(category)) {
                continue;
            }
            ASSERT_GT(i, 0) << "the heading selects no sites";
            ++sites;
            EXPECT_EQ(Column(fees[i], 10), category) << fees[i];
            const AnsiString fee = Column(fees[i], 11);
            if (fee.IsEmpty()) {
                ++withoutFee;
            } else {
                EXPECT_GT(StrToInt(fee), 0) << fees[i];
            }
            EXPECT_FALSE(Column(fees[i], 8).IsEmpty()) << fees[i];
            EXPECT_FALSE(Column(fees[i], 12).IsEmpty()) << fees[i];
            EXPECT_FALSE(Column(fees[i], 22).IsEmpty()) << fees[i];
            const auto found = positions.find(Column(fees[i], 6).str());
            ASSERT_NE(found, positions.end()) << fees[i];
            const auto [x, y] = found->second;
            bool reached = false;
            for (std::size_t a = 0; a < areas.size(); ++a) {
                const double km = std::hypot(x - areas[a].x, y - areas[a].y) / 1000.0;
                if (km <= 60.0) {
                    reached = true;
                    ++nearArea[a];
                }
            }
            outOfReach += reached ? 0 : 1;
        }
        EXPECT_GE(sites, 20) << category;
        EXPECT_GE(outOfReach, 2) << category;
        for (std::size_t a = 0; a < areas.size(); ++a) {
            EXPECT_GE(nearArea[a], 5) << category << " near " << areas[a].name;
        }
    }
    EXPECT_GE(withoutFee, 3);
}

TEST_F(DataKitContentTest, AllTwelveBandTablesRiseFromZeroToSixtyKilometres) {
    const TMemIniFile bands(LFileOperate().FindFile(CODE_DB01, DAT_FOLDER));
    for (const AnsiString* section :
         {&SECTION_BAND_CHOKUSETSU10T_DIDNASHI, &SECTION_BAND_CHOKUSETSU10T_DIDARI,
          &SECTION_BAND_10T_DIDNASHI, &SECTION_BAND_10T_DIDARI, &SECTION_BAND_4T_DIDNASHI,
          &SECTION_BAND_4T_DIDARI, &SECTION_BAND_2T_DIDNASHI_KIKAI, &SECTION_BAND_2T_DIDARI_KIKAI,
          &SECTION_BAND_2T_DIDNASHI_JINRIKI, &SECTION_BAND_2T_DIDARI_JINRIKI,
          &SECTION_BAND_SESSAKU10T_DIDNASHI, &SECTION_BAND_SESSAKU10T_DIDARI}) {
        TStringList lines;
        bands.ReadSectionValues(*section, lines);
        ASSERT_GE(lines.Count(), 3) << *section;
        double lower = -1.0;
        double value = 0.0;
        for (int i = 0; i + 1 < lines.Count(); ++i) { // the last line is no band
            const double nextLower = StrToFloat(Column(lines[i], 1));
            const double nextValue = StrToFloat(Column(lines[i], 2));
            if (i == 0) {
                EXPECT_EQ(nextLower, 0.0) << *section;
            }
            EXPECT_GT(nextLower, lower) << *section << " " << lines[i];
            EXPECT_GE(nextValue, value) << *section << " " << lines[i];
            EXPECT_GT(nextValue, 0.0) << *section;
            lower = nextLower;
            value = nextValue;
        }
        EXPECT_LT(lower, 60.0) << *section;
        EXPECT_GE(lower, 30.0) << *section << ": bands reach far enough";
    }
}

TEST_F(DataKitContentTest, VersionFileNamesTheProgramAndItsEdition) {
    const TMemIniFile version("./lumbrixon/version.ini");
    const CIniManager labels(version);
    EXPECT_EQ(labels.GetEditionText(), u8"2025年04月版"_sj);
    EXPECT_EQ(labels.GetVersionText(), AnsiString("Ver.1.0.0 Pro"));
    EXPECT_EQ(version.ReadString("version", "target_exe", ""),
              AnsiString("Vakrel_R581_prototype.exe"));
    for (const char* key : {"name", "ver", "target_exe", "rootpath", "exepath", "installer_exe"}) {
        EXPECT_FALSE(version.ReadString("version", key, "").IsEmpty()) << key;
    }
}

} // namespace
